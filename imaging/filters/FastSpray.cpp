// Spray paint: every pixel taken from a random nearby position.
#include <algorithm>
#include <cstring>

#include "imaging/filters/FastBMP.h"

bool TFastBMP::SprayInto(TFastBMP& dest, int amount, TFxRandom& random,
                         const TFxProgress& progress) const {
  if (&dest == this) {
    const TFastBMP source(*this);
    return source.SprayInto(dest, amount, random, progress);
  }
  if (dest.Width() != FWidth || dest.Height() != FHeight) dest.Resize(FWidth, FHeight);
  if (Empty()) return true;
  amount = std::min(amount, 1 << 29);  // 2 x radius stays an int
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* out = dest.Row(y);
    for (int x = 0; x < FWidth; ++x, out += 3) {
      // The scatter radius is drawn anew for every pixel.
      const int r = random.Next(amount);
      const int sx = std::clamp(r + x - random.Next(2 * r), 0, FWidth - 1);
      const int sy = std::clamp(r + y - random.Next(2 * r), 0, FHeight - 1);
      std::memcpy(out, Row(sy) + static_cast<std::size_t>(sx) * 3, 3);
    }
    if (progress && progress(y, FHeight - 1)) return false;
  }
  return true;
}
