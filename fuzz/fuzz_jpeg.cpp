#include "fuzz/FuzzReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzReader(data, size, "jpg");
  // Again as a preview load (fast DCT) with warnings raised and the float DCT setting.
  if (size > 1) {
    ChangeFormatSettings([&](TPGFormatSettings& settings) { settings.JPEGReadDCTMethod = 2; });
    TPixelGraphic image;
    image.PreviewLoad = (data[0] & 8) != 0;
    image.ReadWarningAction = pgwaRaise;
    try {
      TPGMemoryStream stream(data + 1, size - 1);
      LoadFromStreamExt(image, stream, "jpg", 0);
    } catch (const EPixelGraphic&) {
    }
  }
  return 0;
}
