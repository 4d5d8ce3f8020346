// The shared thumbnail cache's PNG reader (pictures and text keys).
#include <cstdint>
#include <cstdio>

#include "imaging/PGErrors.h"
#include "thumbs/core/ThumbnailPNG.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::FILE* file = ::fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (!file) return 0;
  TPixelGraphic picture;
  try {
    ReadThumbnailPNG(file, picture, RGBColor(254, 255, 230), 256);
  } catch (const EPixelGraphic&) {
  }
  std::fclose(file);
  return 0;
}
