// JPEG (JFIF) files through libjpeg-turbo's libjpeg 6.2 interface.
#pragma once

#include "imaging/formats/FileFormat.h"

class TJPGFileFormatReader : public TFileFormatReader {
 public:
  TJPGFileFormatReader() : TJPGFileFormatReader("jpg") {}
  std::string ClassName() const override { return "TJPGFileFormatReader"; }
  bool CheckHeader(const std::uint8_t* header) const override {
    return header[0] == 0xFF && header[1] == 0xD8;
  }
  void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                      const TPGFormatContext& context) const override;
  TPGFileInfo GetInfo(TPGStream& stream, int index, const TPGFormatContext& context) const override;

 protected:
  explicit TJPGFileFormatReader(const char* extension)
      : TFileFormatReader(extension, "JPEG (JFIF compliant)", true) {
    HasHeaderCheck = true;
  }
};

class TJPEGFileFormatReader : public TJPGFileFormatReader {
 public:
  TJPEGFileFormatReader() : TJPGFileFormatReader("jpeg") {}
  std::string ClassName() const override { return "TJPEGFileFormatReader"; }
};

class TJIFFileFormatReader : public TJPGFileFormatReader {
 public:
  TJIFFileFormatReader() : TJPGFileFormatReader("jif") {}
  std::string ClassName() const override { return "TJIFFileFormatReader"; }
};

// Writes 256-grey images as one-component greyscale files and true-colour images as YCbCr.
class TJPGFileFormatWriter : public TFileFormatWriter {
 public:
  TJPGFileFormatWriter() : TJPGFileFormatWriter("jpg", true) {}
  std::string ClassName() const override { return "TJPGFileFormatWriter"; }
  void WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                     const TPGFormatContext& context) const override;

 protected:
  TJPGFileFormatWriter(const char* extension, bool inDefaultFilter)
      : TFileFormatWriter(extension, "JPEG (JFIF compliant)", inDefaultFilter,
                          ColorResSet({crGray256, crTrueColor})) {}
};

class TJPEGFileFormatWriter : public TJPGFileFormatWriter {
 public:
  TJPEGFileFormatWriter() : TJPGFileFormatWriter("jpeg", false) {}
  std::string ClassName() const override { return "TJPEGFileFormatWriter"; }
};

class TJIFFileFormatWriter : public TJPGFileFormatWriter {
 public:
  TJIFFileFormatWriter() : TJPGFileFormatWriter("jif", false) {}
  std::string ClassName() const override { return "TJIFFileFormatWriter"; }
};
