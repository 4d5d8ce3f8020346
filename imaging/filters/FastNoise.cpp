// Colour and monochrome noise.
#include "imaging/filters/FastBMP.h"

namespace {

inline std::uint8_t Clamp255(int v) {
  return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

}  // namespace

bool TFastBMP::AddColorNoise(int amount, TFxRandom& random, const TFxProgress& progress) {
  if (Empty() || amount <= 0) return true;
  const int half = amount / 2;
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* p = Row(y);
    for (int i = 0; i < FWidth * 3; ++i) p[i] = Clamp255(p[i] + random.Next(amount) - half);
    if (progress && progress(y, FHeight - 1)) return false;
  }
  return true;
}

bool TFastBMP::AddMonoNoise(int amount, TFxRandom& random, const TFxProgress& progress) {
  if (Empty() || amount <= 0) return true;
  const int half = amount / 2;
  for (int y = 0; y < FHeight; ++y) {
    std::uint8_t* p = Row(y);
    for (int x = 0; x < FWidth; ++x, p += 3) {
      const int d = random.Next(amount) - half;
      p[0] = Clamp255(p[0] + d);
      p[1] = Clamp255(p[1] + d);
      p[2] = Clamp255(p[2] + d);
    }
    if (progress && progress(y, FHeight - 1)) return false;
  }
  return true;
}
