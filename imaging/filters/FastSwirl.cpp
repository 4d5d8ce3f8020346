// Swirl: the picture turned around its centre, less with distance.
#include <cmath>
#include <cstring>
#include <numbers>

#include "imaging/filters/FastBilinear.h"

bool Swirl(const TFastBMP& source, TFastBMP& dest, int twist, const TFxProgress& progress) {
  if (&dest == &source) {
    const TFastBMP copy(source);
    return Swirl(copy, dest, twist, progress);
  }
  if (twist == 0) {
    dest = source;
    return true;
  }
  if (dest.Width() != source.Width() || dest.Height() != source.Height())
    dest.Resize(source.Width(), source.Height());
  if (source.Empty()) return true;
  constexpr float kQuarter = 1.5707964f;
  constexpr float kPi = std::numbers::pi_v<float>;
  const float cx = (source.Width() - 1) * 0.5f, cy = (source.Height() - 1) * 0.5f;
  const float t = static_cast<float>(twist);
  for (int y = 0; y < source.Height(); ++y) {
    std::uint8_t* out = dest.Row(y);
    for (int x = 0; x < source.Width(); ++x, out += 3) {
      const float dx = x - cx, dy = y - cy;
      const float r = std::sqrt(dx * dx + dy * dy);
      if (r == 0) {
        fxdetail::SampleBilinear(source, cx, cy, out);
        continue;
      }
      float theta;
      if (dx == 0)
        theta = dy > 0 ? kQuarter : -kQuarter;
      else
        theta = std::atan(dy / dx) + (dx < 0 ? kPi : 0.0f);
      const float phi = theta - r / t + kQuarter;
      fxdetail::SampleBilinear(source, cx + r * std::cos(phi), cy + r * std::sin(phi), out);
    }
    if (progress && progress(y, source.Height() - 1)) return false;
  }
  return true;
}
