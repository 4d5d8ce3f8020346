// Fisheye: a lens at the centre of the picture.
#include <cmath>
#include <cstring>

#include "imaging/filters/FastBilinear.h"

bool Fisheye(const TFastBMP& source, TFastBMP& dest, float amount, const TFxProgress& progress) {
  if (&dest == &source) {
    const TFastBMP copy(source);
    return Fisheye(copy, dest, amount, progress);
  }
  if (dest.Width() != source.Width() || dest.Height() != source.Height())
    dest.Resize(source.Width(), source.Height());
  if (source.Empty()) return true;
  const float cx = source.Width() * 0.5f, cy = source.Height() * 0.5f;
  const float rim = amount * source.Width();
  for (int y = 0; y < source.Height(); ++y) {
    std::uint8_t* out = dest.Row(y);
    for (int x = 0; x < source.Width(); ++x, out += 3) {
      const float dx = x - cx, dy = y - cy;
      const float r = std::sqrt(dx * dx + dy * dy);
      if (r == 0) {
        fxdetail::SampleBilinear(source, cx, cy, out);
      } else if (r < rim) {
        const float m = (1 / (1 - r / rim) - 1) * (rim * 0.5f);
        fxdetail::SampleBilinear(source, cx + dx * m / r, cy + dy * m / r, out);
      } else {
        // On or beyond the rim the lens maps nothing: the picture shows as it is.
        std::memcpy(out, source.Row(y) + static_cast<std::size_t>(x) * 3, 3);
      }
    }
    if (progress && progress(y, source.Height() - 1)) return false;
  }
  return true;
}
