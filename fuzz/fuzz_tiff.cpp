#include "fuzz/FuzzReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzReader(data, size, "tif");
  // Again walking every directory, reading the second image and describing the third.
  if (size > 1) {
    ChangeFormatSettings([&](TPGFormatSettings& settings) {
      settings.TIFFReadAllImages = true;
      settings.TIFFMaxImages = 1 + (data[0] >> 4);
    });
    TPixelGraphic image;
    image.ReadWarningAction = (data[0] & 8) ? pgwaRaise : pgwaIgnore;
    try {
      TPGMemoryStream stream(data + 1, size - 1);
      LoadFromStreamExt(image, stream, "tif", 1);
    } catch (const EPixelGraphic&) {
    }
    try {
      TPGMemoryStream stream(data + 1, size - 1);
      if (const TFileFormatReader* reader = FindReader(stream, "tif"))
        reader->GetInfo(stream, 2, CaptureFormatContext());
    } catch (const EPixelGraphic&) {
    }
  }
  return 0;
}
