// Colour-space conversions of the colour filters, on channels scaled to 0..1. A hue is in
// degrees 0 <= H < 360, or undefined (kUndefinedHue) for greys.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "imaging/PGTypes.h"

inline constexpr double kUndefinedHue = 1e10;

// Raises EPGSaturationHue ("Saturation=0 and Hue defined").
[[noreturn]] void RaiseSaturationHue();

// Round (halves to even) of channel x 255, limited to 0..255.
inline int ChannelByte(double channel) {
  double v = channel * 255.0;
  if (!(v > -1.0)) v = -1.0;  // also NaN
  if (v > 256.0) v = 256.0;
  const int i = static_cast<int>(std::nearbyint(v));
  return i < 0 ? 0 : (i > 255 ? 255 : i);
}

// A hue brought into 0 <= h < 360 with a remainder, so that any finite value (also the
// undefined marker) takes constant time.
inline double WrapDegrees(double h) {
  if (h >= 0.0 && h < 360.0) return h;
  h = std::fmod(h, 360.0);
  if (h < 0.0) h += 360.0;
  return h >= 360.0 ? 0.0 : h;
}

// Hue of the channels with max and delta = max - min > 0; ties decided red, green, blue.
inline double HueOf(double r, double g, double b, double max, double delta) {
  double h;
  if (r == max)
    h = (g - b) / delta;
  else if (g == max)
    h = (b - r) / delta + 2.0;
  else
    h = (r - g) / delta + 4.0;
  h *= 60.0;
  return h < 0.0 ? h + 360.0 : h;
}

struct THLS {
  double H, L, S;
};
struct THSV {
  double H, S, V;
};
struct TYCbCr {
  double Y, Cb, Cr;
};
struct TRGBf {
  double R, G, B;
};

inline THLS RGBToHLS(double r, double g, double b) {
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  const double l = (max + min) / 2.0;
  if (max == min) return {kUndefinedHue, l, 0.0};
  const double delta = max - min;
  const double s = l > 0.5 ? delta / (2.0 - max - min) : delta / (max + min);
  return {HueOf(r, g, b, max, delta), l, s};
}

inline THSV RGBToHSV(double r, double g, double b) {
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  const double s = max != 0.0 ? (max - min) / max : 0.0;
  if (s == 0.0) return {kUndefinedHue, 0.0, max};
  return {HueOf(r, g, b, max, max - min), s, max};
}

namespace hls_detail {
inline double Value(double m1, double m2, double h) {
  // One step brings the filters' hues (within -120 .. 480) into range; the remainder keeps
  // any other value in constant time.
  if (h > 360.0)
    h -= 360.0;
  else if (h < 0.0)
    h += 360.0;
  if (h > 360.0 || h < 0.0) h = WrapDegrees(h);
  if (h < 60.0) return m1 + (m2 - m1) * h / 60.0;
  if (h < 180.0) return m2;
  if (h < 240.0) return m1 + (m2 - m1) * (240.0 - h) / 60.0;
  return m1;
}
}  // namespace hls_detail

inline TRGBf HLSToRGB(double h, double l, double s) {
  if (s == 0.0) {
    if (h != kUndefinedHue) RaiseSaturationHue();
    return {l, l, l};
  }
  const double m2 = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
  const double m1 = 2.0 * l - m2;
  return {hls_detail::Value(m1, m2, h + 120.0), hls_detail::Value(m1, m2, h),
          hls_detail::Value(m1, m2, h - 120.0)};
}

inline TRGBf HSVToRGB(double h, double s, double v) {
  if (s == 0.0) {
    if (h != kUndefinedHue) RaiseSaturationHue();
    return {v, v, v};
  }
  h = WrapDegrees(h) / 60.0;
  int i = static_cast<int>(std::floor(h));
  i = i < 0 ? 0 : (i > 5 ? 5 : i);
  const double f = h - i;
  const double p = v * (1.0 - s), q = v * (1.0 - s * f), t = v * (1.0 - s * (1.0 - f));
  switch (i) {
    case 0: return {v, t, p};
    case 1: return {q, v, p};
    case 2: return {p, v, t};
    case 3: return {p, q, v};
    case 4: return {t, p, v};
    default: return {v, p, q};
  }
}

inline TYCbCr RGBToYCbCr(double r, double g, double b) {
  return {0.299 * r + 0.587 * g + 0.114 * b, -0.169 * r - 0.331 * g + 0.5 * b,
          0.5 * r - 0.419 * g - 0.081 * b};
}

inline TRGBf YCbCrToRGB(double y, double cb, double cr) {
  return {y + 1.403 * cr, y - 0.344 * cb - 0.714 * cr, y + 1.773 * cb};
}

using TChannelTable = std::array<std::uint8_t, 256>;

// Table read with linear interpolation at a position 0..255 (below 0 reads position 0).
inline double ReadInterpolated(const TChannelTable& t, double x) {
  if (!(x > 0.0)) x = 0.0;
  const double fl = std::floor(x);
  if (fl > 254.0) return t[255];
  const int i = static_cast<int>(fl);
  const double f = x - fl;
  return (1.0 - f) * t[static_cast<std::size_t>(i)] + f * t[static_cast<std::size_t>(i) + 1];
}

// A defined hue through a hue table: the table is indexed with the hue shifted by 180 degrees
// (index 128 is 0 degrees) and read with interpolation across the wrap from 255 to 0.
inline double ReadHueTable(const TChannelTable& t, double hue) {
  double p = (hue + 180.0) * 256.0 / 360.0;
  if (p >= 256.0) p -= 256.0;
  if (!(p >= 0.0)) p = 0.0;
  if (p >= 256.0) p = 0.0;
  const double fl = std::floor(p);
  const int i = static_cast<int>(fl);
  const double f = p - fl;
  const double a = t[static_cast<std::size_t>(i)];
  double n = i == 255 ? t[0] : t[static_cast<std::size_t>(i) + 1];
  if (a - n > 128.0) n += 256.0;
  if (n > a + 128.0) n -= 256.0;
  double h = ((1.0 - f) * a + f * n) * 360.0 / 256.0 - 180.0;
  if (h < 0.0) h += 360.0;
  if (h >= 360.0) h -= 360.0;
  return h;
}
