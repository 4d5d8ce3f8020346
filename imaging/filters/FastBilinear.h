// The bilinear sampling of fisheye and swirl: positions outside the picture wrap around, and
// the second column (row) after the last one is column (row) 0.
#pragma once

#include <cmath>
#include <cstdint>

#include "imaging/filters/FastBMP.h"

namespace fxdetail {

// Source positions are limited to this magnitude before truncation, so positions thrown far
// out (near the rim of a lens) still wrap to a pixel instead of overflowing.
inline constexpr float kPositionLimit = 1.0e8f;

struct TAxis {
  int i0, i1;
  float w0, w1;
};

inline TAxis AxisOf(float s, int size) {
  if (!(s >= -kPositionLimit)) s = -kPositionLimit;  // also NaN
  if (s > kPositionLimit) s = kPositionLimit;
  int i = static_cast<int>(s);  // toward zero
  const float f = s - static_cast<float>(i);
  TAxis a;
  if (s >= 0) {
    a.w0 = 1 - f;
    a.w1 = f;
  } else {
    a.w0 = std::fabs(f);
    a.w1 = 1 - std::fabs(f);
  }
  if (i < 0)
    i = size - ((-i) % size) - 1;
  else if (i > size - 1)
    i = i % size;
  a.i0 = i;
  a.i1 = i + 1 == size ? 0 : i + 1;
  return a;
}

inline std::uint8_t RoundChannel(float v) {
  const float r = std::nearbyint(v);
  return static_cast<std::uint8_t>(r < 0 ? 0 : (r > 255 ? 255 : r));
}

// Writes the colour at (sx, sy) of a non-empty source to out.
inline void SampleBilinear(const TFastBMP& source, float sx, float sy, std::uint8_t* out) {
  const TAxis ax = AxisOf(sx, source.Width());
  const TAxis ay = AxisOf(sy, source.Height());
  const std::uint8_t* p00 = source.Row(ay.i0) + static_cast<std::size_t>(ax.i0) * 3;
  const std::uint8_t* p10 = source.Row(ay.i0) + static_cast<std::size_t>(ax.i1) * 3;
  const std::uint8_t* p01 = source.Row(ay.i1) + static_cast<std::size_t>(ax.i0) * 3;
  const std::uint8_t* p11 = source.Row(ay.i1) + static_cast<std::size_t>(ax.i1) * 3;
  const float w00 = ax.w0 * ay.w0, w10 = ax.w1 * ay.w0, w01 = ax.w0 * ay.w1, w11 = ax.w1 * ay.w1;
  for (int c = 0; c < 3; ++c)
    out[c] = RoundChannel(w00 * p00[c] + w10 * p10[c] + w01 * p01[c] + w11 * p11[c]);
}

}  // namespace fxdetail
