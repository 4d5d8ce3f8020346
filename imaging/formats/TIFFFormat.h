// Tagged Image File Format: uncompressed and PackBits strips, read and written by our own code.
#pragma once

#include <cstdint>

#include "imaging/formats/FileFormat.h"

class TTIFFileFormatReader : public TFileFormatReader {
 public:
  TTIFFileFormatReader() : TTIFFileFormatReader("tif") {}
  std::string ClassName() const override { return "TTIFFileFormatReader"; }
  bool CheckHeader(const std::uint8_t* header) const override {
    return (header[0] == 'I' && header[1] == 'I' && header[2] == 0x2A && header[3] == 0) ||
           (header[0] == 'M' && header[1] == 'M' && header[2] == 0 && header[3] == 0x2A);
  }
  void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                      const TPGFormatContext& context) const override;
  TPGFileInfo GetInfo(TPGStream& stream, int index, const TPGFormatContext& context) const override;

 protected:
  explicit TTIFFileFormatReader(const char* extension)
      : TFileFormatReader(extension, "Tagged Image File Format", true) {
    HasHeaderCheck = true;
  }
};

class TTIFFFileFormatReader : public TTIFFileFormatReader {
 public:
  TTIFFFileFormatReader() : TTIFFileFormatReader("tiff") {}
  std::string ClassName() const override { return "TTIFFFileFormatReader"; }
};

// Writes one image in strips; the options come from the call's format context.
class TTIFFileFormatWriter : public TFileFormatWriter {
 public:
  TTIFFileFormatWriter() : TTIFFileFormatWriter("tif", true) {}
  std::string ClassName() const override { return "TTIFFileFormatWriter"; }
  void WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                     const TPGFormatContext& context) const override;

 protected:
  TTIFFileFormatWriter(const char* extension, bool inDefaultFilter)
      : TFileFormatWriter(extension, "Tagged Image File Format", inDefaultFilter,
                          ColorResSet({crBlackWhite, crGray16, crSys16, cr16Colors, crGray256,
                                       cr256Colors, crTrueColor})) {}
};

class TTIFFFileFormatWriter : public TTIFFileFormatWriter {
 public:
  TTIFFFileFormatWriter() : TTIFFileFormatWriter("tiff", false) {}
  std::string ClassName() const override { return "TTIFFFileFormatWriter"; }
};
