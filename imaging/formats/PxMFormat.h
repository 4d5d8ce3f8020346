// Portable bitmap, greymap and pixmap files (P1 to P6).
#pragma once

#include "imaging/formats/FileFormat.h"

class TPxMFileFormatReader : public TFileFormatReader {
 public:
  void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                      const TPGFormatContext& context) const override;
  TPGFileInfo GetInfo(TPGStream& stream, int index, const TPGFormatContext& context) const override;
  bool CheckHeader(const std::uint8_t* header) const override {
    return header[0] == 'P' && (header[1] == FPlain || header[1] == FRaw);
  }

 protected:
  TPxMFileFormatReader(const char* extension, const char* description, char plain, char raw)
      : TFileFormatReader(extension, description, true), FPlain(plain), FRaw(raw) {
    HasHeaderCheck = true;
  }

 private:
  char FPlain;
  char FRaw;
};

class TPBMFileFormatReader : public TPxMFileFormatReader {
 public:
  TPBMFileFormatReader() : TPxMFileFormatReader("pbm", "Portable Bitmap", '1', '4') {}
  std::string ClassName() const override { return "TPBMFileFormatReader"; }
};
class TPGMFileFormatReader : public TPxMFileFormatReader {
 public:
  TPGMFileFormatReader() : TPxMFileFormatReader("pgm", "Portable Graymap", '2', '5') {}
  std::string ClassName() const override { return "TPGMFileFormatReader"; }
};
class TPPMFileFormatReader : public TPxMFileFormatReader {
 public:
  TPPMFileFormatReader() : TPxMFileFormatReader("ppm", "Portable Pixelmap", '3', '6') {}
  std::string ClassName() const override { return "TPPMFileFormatReader"; }
};

// One writer implementation; what it writes follows its extension.
class TPXMFileFormatWriter : public TFileFormatWriter {
 public:
  void WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                     const TPGFormatContext& context) const override;

 protected:
  TPXMFileFormatWriter(const char* extension, const char* description, TColorResolution c)
      : TFileFormatWriter(extension, description, true, ColorResSet({c})) {}
};

class TPBMFileFormatWriter : public TPXMFileFormatWriter {
 public:
  TPBMFileFormatWriter() : TPXMFileFormatWriter("pbm", "Portable Bitmap", crBlackWhite) {}
  std::string ClassName() const override { return "TPBMFileFormatWriter"; }
};
class TPGMFileFormatWriter : public TPXMFileFormatWriter {
 public:
  TPGMFileFormatWriter() : TPXMFileFormatWriter("pgm", "Portable Graymap", crGray256) {}
  std::string ClassName() const override { return "TPGMFileFormatWriter"; }
};
class TPPMFileFormatWriter : public TPXMFileFormatWriter {
 public:
  TPPMFileFormatWriter() : TPXMFileFormatWriter("ppm", "Portable Pixelmap", crTrueColor) {}
  std::string ClassName() const override { return "TPPMFileFormatWriter"; }
};
