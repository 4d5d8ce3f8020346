// BMP, DIB and RLE files and packed device-independent bitmaps.
#pragma once

#include "imaging/formats/FileFormat.h"

// Reads one bitmap header (core or information form) and everything after it into image;
// expand16Bit spreads 5-bit channels of 16-bit data over the full 8 bits (BMPRead16BitExpand).
// Returns false when the data ends inside the pixels (the rest stays black).
bool ReadDIB(TPixelGraphic& image, TPGStream& stream, bool coreHeader, bool expand16Bit);
// Writes the information header, the colour table and the pixels.
void WriteDIB(TPixelGraphic& image, TPGStream& stream);

class TBMPFileFormatReader : public TFileFormatReader {
 public:
  TBMPFileFormatReader() : TBMPFileFormatReader("bmp") {}
  std::string ClassName() const override { return "TBMPFileFormatReader"; }
  bool CheckHeader(const std::uint8_t* header) const override;
  void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                      const TPGFormatContext& context) const override;
  TPGFileInfo GetInfo(TPGStream& stream, int index, const TPGFormatContext& context) const override;

 protected:
  explicit TBMPFileFormatReader(const char* extension)
      : TFileFormatReader(extension, "Bitmap", true) {
    HasHeaderCheck = true;
  }
};

class TDIBFileFormatReader : public TBMPFileFormatReader {
 public:
  TDIBFileFormatReader() : TBMPFileFormatReader("dib") {}
  std::string ClassName() const override { return "TDIBFileFormatReader"; }
};

class TRLEFileFormatReader : public TBMPFileFormatReader {
 public:
  TRLEFileFormatReader() : TBMPFileFormatReader("rle") {}
  std::string ClassName() const override { return "TRLEFileFormatReader"; }
};

class TBMPFileFormatWriter : public TFileFormatWriter {
 public:
  TBMPFileFormatWriter() : TFileFormatWriter("bmp", "Bitmap", true, crAll) {}
  std::string ClassName() const override { return "TBMPFileFormatWriter"; }
  void WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                     const TPGFormatContext& context) const override;

 protected:
  TBMPFileFormatWriter(const char* extension, bool inDefaultFilter)
      : TFileFormatWriter(extension, "Bitmap", inDefaultFilter, crAll) {}
};

class TDIBFileFormatWriter : public TBMPFileFormatWriter {
 public:
  TDIBFileFormatWriter() : TBMPFileFormatWriter("dib", false) {}
  std::string ClassName() const override { return "TDIBFileFormatWriter"; }
};
