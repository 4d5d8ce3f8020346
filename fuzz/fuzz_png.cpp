#include "fuzz/FuzzReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzReader(data, size, "png");
  // Again with the image's own background (not the file's) and a non-black one.
  if (size > 1) {
    ChangeFormatSettings([&](TPGFormatSettings& settings) { settings.PNGReadBackground = false; });
    TPixelGraphic image;
    image.SetBackGroundColor(RGBColor(data[0], 255 - data[0], 128));
    image.ReadWarningAction = (data[0] & 8) ? pgwaRaise : pgwaIgnore;
    try {
      TPGMemoryStream stream(data + 1, size - 1);
      LoadFromStreamExt(image, stream, "png", 0);
    } catch (const EPixelGraphic&) {
    }
  }
  return 0;
}
