// GIF files: the still-image reader (any image of the file by index).
#pragma once

#include <cstdint>

#include "imaging/formats/FileFormat.h"

// Raised where loading stops without anything to tell the user (the windows do not report it).
class EPGSilentAbort : public EPixelGraphic {
 public:
  using EPixelGraphic::EPixelGraphic;
};

class tGifFileFormatReader : public TFileFormatReader {
 public:
  tGifFileFormatReader() : TFileFormatReader("gif", "GIF", true) { HasHeaderCheck = true; }
  std::string ClassName() const override { return "tGifFileFormatReader"; }
  bool CheckHeader(const std::uint8_t* header) const override {
    return header[0] == 'G' && header[1] == 'I' && header[2] == 'F';
  }
  void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                      const TPGFormatContext& context) const override;
  TPGFileInfo GetInfo(TPGStream& stream, int index, const TPGFormatContext& context) const override;
};
