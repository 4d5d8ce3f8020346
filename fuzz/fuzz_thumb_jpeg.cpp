// The thumbnail explorer's reduced-scale JPEG decoder, at a size chosen by the first byte.
#include <cstdint>
#include <cstdio>

#include "imaging/PGErrors.h"
#include "imaging/formats/JPEGScaledLoad.h"
#include "thumbs/core/ThumbGeometry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int side = 8 + data[0];
  std::FILE* file = ::fmemopen(const_cast<std::uint8_t*>(data + 1), size - 1, "rb");
  if (!file) return 0;
  TPixelGraphic picture;
  try {
    LoadJPEGScaled(file, static_cast<long>(size - 1), picture,
                   [&](int w, int h) { return ExplorerThumbSize(w, h, side); });
  } catch (const EPixelGraphic&) {
  }
  std::fclose(file);
  return 0;
}
