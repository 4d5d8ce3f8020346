// Truevision Targa files. The reader has no header check: TGA is found by extension only.
#pragma once

#include "imaging/formats/FileFormat.h"

class TTGAFileFormatReader : public TFileFormatReader {
 public:
  TTGAFileFormatReader() : TFileFormatReader("tga", "Truevision Targa", true) {}
  std::string ClassName() const override { return "TTGAFileFormatReader"; }
  void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                      const TPGFormatContext& context) const override;
  TPGFileInfo GetInfo(TPGStream& stream, int index, const TPGFormatContext& context) const override;
};

// Writes uncompressed colour-mapped 8-bit or true-colour 24-bit files.
class TTGAFileFormatWriter : public TFileFormatWriter {
 public:
  TTGAFileFormatWriter()
      : TFileFormatWriter("tga", "Truevision Targa", true,
                          ColorResSet({cr256Colors, crTrueColor})) {}
  std::string ClassName() const override { return "TTGAFileFormatWriter"; }
  void WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                     const TPGFormatContext& context) const override;
};
