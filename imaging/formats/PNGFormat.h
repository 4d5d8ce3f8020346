// Portable Network Graphics files through libpng.
#pragma once

#include "imaging/formats/FileFormat.h"

class TPNGFileFormatReader : public TFileFormatReader {
 public:
  TPNGFileFormatReader() : TFileFormatReader("png", "Portable Network Graphics", true) {
    HasHeaderCheck = true;
  }
  std::string ClassName() const override { return "TPNGFileFormatReader"; }
  bool CheckHeader(const std::uint8_t* header) const override;
  void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                      const TPGFormatContext& context) const override;
  TPGFileInfo GetInfo(TPGStream& stream, int index, const TPGFormatContext& context) const override;
};

// Writes palette images as palette files (256-grey images as grey files) and true-colour
// images as 8-bit RGB.
class TPNGFileFormatWriter : public TFileFormatWriter {
 public:
  TPNGFileFormatWriter() : TFileFormatWriter("png", "Portable Network Graphics", true, crAll) {}
  std::string ClassName() const override { return "TPNGFileFormatWriter"; }
  void WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                     const TPGFormatContext& context) const override;
};
