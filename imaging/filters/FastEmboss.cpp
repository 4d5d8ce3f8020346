// Emboss: relief from the difference to the pixel one row down and one column right.
#include <algorithm>
#include <array>

#include "imaging/filters/FastBMP.h"

void TFastBMP::Emboss() {
  if (Empty()) return;
  // The last two rows share one partner: pixel (1, last row) as it was before the effect
  // (the nearest existing pixel on pictures one pixel wide).
  const std::uint8_t* fixed = Row(FHeight - 1) + static_cast<std::size_t>(std::min(1, FWidth - 1)) * 3;
  const std::array<std::uint8_t, 3> partner{fixed[0], fixed[1], fixed[2]};
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* p = Row(y);
    const bool lastTwo = y >= FHeight - 2;
    // The row below has not been changed yet when this row reads it.
    const std::uint8_t* below = lastTwo ? nullptr : Row(y + 1);
    for (int x = 0; x < FWidth; ++x, p += 3) {
      const std::uint8_t* q =
          lastTwo ? partner.data() : below + static_cast<std::size_t>(std::min(x + 1, FWidth - 1)) * 3;
      for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(((255 - q[c]) + p[c]) / 2);
    }
  }
}
