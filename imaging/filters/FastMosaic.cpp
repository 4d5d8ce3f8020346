// Mosaic: blocks filled with the colour of one pixel inside each.
#include <algorithm>
#include <array>
#include <cstring>

#include "imaging/filters/FastBMP.h"

namespace {

// Offset of the sample within a block of `size`: size div 2 + size mod 2, kept inside the
// block (a block of 1 samples itself, not the next block).
int SampleOffset(int size) { return std::min(size / 2 + size % 2, size - 1); }

}  // namespace

void TFastBMP::Mosaic(int blockWidth, int blockHeight) {
  if (Empty() || blockWidth <= 0 || blockHeight <= 0) return;
  const int ox = SampleOffset(blockWidth), oy = SampleOffset(blockHeight);
  for (int top = 0; top < FHeight; top += blockHeight) {
    const int bottom = static_cast<int>(std::min<std::int64_t>(std::int64_t{top} + blockHeight, FHeight));
    const int sampleRow = std::min(top + oy, FHeight - 1);
    for (int left = 0; left < FWidth; left += blockWidth) {
      const int right = static_cast<int>(std::min<std::int64_t>(std::int64_t{left} + blockWidth, FWidth));
      const int sampleCol = std::min(left + ox, FWidth - 1);
      std::array<std::uint8_t, 3> colour;
      std::memcpy(colour.data(), Row(sampleRow) + static_cast<std::size_t>(sampleCol) * 3, 3);
      for (int y = top; y < bottom; ++y) {
        std::uint8_t* p = Row(y) + static_cast<std::size_t>(left) * 3;
        for (int x = left; x < right; ++x, p += 3) std::memcpy(p, colour.data(), 3);
      }
      if (right >= FWidth) break;
    }
    if (bottom >= FHeight) break;
  }
}
