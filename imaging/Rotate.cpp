// Rotation by any angle; positive angles turn the picture clockwise as displayed.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "imaging/PGraphic.h"
#include "imaging/PixelAccess.h"

namespace {

// Number of clockwise quarter turns when the angle is a whole multiple of 90 degrees.
bool QuarterTurns(double angle, int& turns) {
  if (!std::isfinite(angle) || angle != std::floor(angle) || std::fabs(angle) > 1e15) return false;
  const auto whole = static_cast<long long>(angle);
  if (whole % 90 != 0) return false;
  turns = static_cast<int>(((whole / 90) % 4 + 4) % 4);
  return true;
}

// Cosine and sine of the angle, exact for multiples of 90 degrees.
void CosSin(double angle, double& c, double& s) {
  static constexpr double kCos[4] = {1, 0, -1, 0};
  static constexpr double kSin[4] = {0, 1, 0, -1};
  int turns = 0;
  if (QuarterTurns(angle, turns)) {
    c = kCos[turns];
    s = kSin[turns];
    return;
  }
  const double t = angle * std::numbers::pi / 180.0;
  c = std::cos(t);
  s = std::sin(t);
}

// Round to nearest, halves to even (the default floating-point rounding mode).
int RoundEven(double v) {
#if defined(__SSE2__)
  return _mm_cvtsd_si32(_mm_set_sd(v));
#else
  return static_cast<int>(std::nearbyint(v));
#endif
}

// floor and ceil of a coordinate well inside the 64-bit range.
double Floor(double v) {
  const double t = static_cast<double>(static_cast<std::int64_t>(v));
  return t > v ? t - 1 : t;
}
double Ceil(double v) {
  const double t = static_cast<double>(static_cast<std::int64_t>(v));
  return t < v ? t + 1 : t;
}

// A finite-or-not coordinate clamped into lo..hi before it becomes an integer.
int ClampToInt(double v, int lo, int hi) {
  if (!(v > lo)) return lo;
  if (!(v < hi)) return hi;
  return static_cast<int>(v);
}

// Bilinear rotation between two 24-bit images, writing bytes: the common case made fast.
// Same arithmetic as the general loop.
void RotateBytes(TPixelGraphic& target, const TPixelGraphic& source, double c, double s,
                 int destCX, int destCY, int srcCX, int srcCY, int x0, int x1, int y0, int y1,
                 std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
  const std::uint8_t* srcBits = source.Bits();
  const std::size_t srcRow = source.RowBytes();
  const int srcH = source.Height();
  auto at = [&](std::int64_t px, std::int64_t py) {
    return srcBits + static_cast<std::size_t>(srcH - 1 - py) * srcRow + static_cast<std::size_t>(px) * 3;
  };
  // Columns whose taps can reach the source: sx and sy are linear in x, so each bound of
  // the source rectangle (widened by one pixel for the taps) cuts the row to an interval.
  auto narrow = [](double slope, double at0, double lo, double hi, double& from, double& to) {
    if (slope == 0) {
      if (at0 < lo || at0 > hi) to = from - 1;
      return;
    }
    double a = (lo - at0) / slope, b = (hi - at0) / slope;
    if (a > b) std::swap(a, b);
    from = std::max(from, a);
    to = std::min(to, b);
  };
  for (int y = y0; y <= y1; ++y) {
    std::uint8_t* row = target.ScanLine(y);
    const double dy = static_cast<double>(y) - destCY;
    double from = x0, to = x1;
    narrow(c, -destCX * c + dy * s + srcCX, left - 1.0, right + 1.0, from, to);
    narrow(-s, destCX * s + dy * c + srcCY, top - 1.0, bottom + 1.0, from, to);
    const int xa = from <= to ? std::max(x0, ClampToInt(Floor(from) - 2, x0, x1 + 1)) : x1 + 1;
    const int xb = from <= to ? std::min(x1, ClampToInt(Ceil(to) + 2, x0 - 1, x1)) : x0 - 1;
    for (int x = xa; x <= xb; ++x) {
      const double dx = static_cast<double>(x) - destCX;
      const double sx = dx * c + dy * s + srcCX;
      const double sy = -dx * s + dy * c + srcCY;
      const double k = Floor(sx), l = Ceil(sx), m = Floor(sy), n = Ceil(sy);
      const double wk = k == l ? 0.5 : 1 - (sx - k), wl = k == l ? 0.5 : 1 - (l - sx);
      const double wm = m == n ? 0.5 : 1 - (sy - m), wn = m == n ? 0.5 : 1 - (n - sy);
      const bool kIn = k >= left && k <= right, lIn = l >= left && l <= right;
      const bool mIn = m >= top && m <= bottom, nIn = n >= top && n <= bottom;
      if (!((kIn || lIn) && (mIn || nIn))) continue;
      std::uint8_t* out = row + static_cast<std::size_t>(x) * 3;
      const std::uint8_t own[3] = {out[0], out[1], out[2]};
      const auto ki = static_cast<std::int64_t>(k), li = static_cast<std::int64_t>(l);
      const auto mi = static_cast<std::int64_t>(m), ni = static_cast<std::int64_t>(n);
      const std::uint8_t* p0 = kIn && mIn ? at(ki, mi) : own;
      const std::uint8_t* p1 = kIn && nIn ? at(ki, ni) : own;
      const std::uint8_t* p2 = lIn && mIn ? at(li, mi) : own;
      const std::uint8_t* p3 = lIn && nIn ? at(li, ni) : own;
      const double w0 = wk * wm, w1 = wk * wn, w2 = wl * wm, w3 = wl * wn;
      for (int ch = 0; ch < 3; ++ch) {
        const double v = w0 * p0[ch] + w1 * p1[ch] + w2 * p2[ch] + w3 * p3[ch];
        out[ch] = static_cast<std::uint8_t>(std::clamp(RoundEven(v), 0, 255));
      }
    }
    if (target.Progress(y - y0, y1 - y0)) break;
  }
}


}  // namespace

void TPixelGraphic::Rotate(bool resize, const TPixelGraphic& source, double angle) {
  if (&source == this) {
    TPixelGraphic copy;
    copy.Assign(this);
    Rotate(resize, copy, angle);
    return;
  }
  TPGUpdateScope update(*this);
  const int w = source.Width(), h = source.Height();
  int turns = 0;
  if (QuarterTurns(angle, turns)) {
    if (resize) {
      if (turns % 2)
        SetSize(h, w, FPixelFormat);
      else
        SetSize(w, h, FPixelFormat);
    }
    if (Empty() || source.Empty()) return;
    // Exact placement: pixel centres turn about the picture centres. In doubled coordinates
    // a target centre (2x + 1 - Width, 2y + 1 - Height) maps to a source centre.
    static constexpr int kCos[4] = {1, 0, -1, 0};
    static constexpr int kSin[4] = {0, 1, 0, -1};
    const std::int64_t c = kCos[turns], s = kSin[turns];
    TPGDitherScope dither(*this);
    TPGProgressScope progress(*this);
    TTargetWriter writer(*this, dither.Active());
    const TSourceColors colors(source);
    for (int y = 0; y < FHeight; ++y) {
      writer.NextRow();
      const std::int64_t v = 2 * std::int64_t{y} + 1 - FHeight;
      for (int step = 0; step < FWidth; ++step) {
        const int x = (y & 1) ? FWidth - 1 - step : step;
        const std::int64_t u = 2 * std::int64_t{x} + 1 - FWidth;
        const std::int64_t sxd = u * c + v * s + w - 1;
        const std::int64_t syd = -u * s + v * c + h - 1;
        // floor division by 2 (the doubled position is odd when the parities differ)
        const std::int64_t sx = (sxd >= 0 ? sxd : sxd - 1) / 2;
        const std::int64_t sy = (syd >= 0 ? syd : syd - 1) / 2;
        if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
        writer.Write(x, y, colors.Color(static_cast<int>(sx), static_cast<int>(sy)));
      }
      if (Progress(y, FHeight - 1)) break;
    }
    return;
  }
  if (resize) {
    double c = 0, s = 0;
    CosSin(angle, c, s);
    const double xs[4] = {0, static_cast<double>(w), 0, static_cast<double>(w)};
    const double ys[4] = {0, 0, static_cast<double>(h), static_cast<double>(h)};
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 0; i < 4; ++i) {
      const double px = xs[i] * c - ys[i] * s, py = xs[i] * s + ys[i] * c;
      if (i == 0 || px < minX) minX = px;
      if (i == 0 || px > maxX) maxX = px;
      if (i == 0 || py < minY) minY = py;
      if (i == 0 || py > maxY) maxY = py;
    }
    constexpr int kMax = 0x7FFFFFFF;
    SetSize(ClampToInt(std::ceil(maxX) - std::floor(minX), 0, kMax),
            ClampToInt(std::ceil(maxY) - std::floor(minY), 0, kMax), FPixelFormat);
  }
  RotateInto(FWidth / 2, FHeight / 2, source, w, h, 0, 0, w / 2, h / 2, angle);
}

void TPixelGraphic::RotateInto(int destCX, int destCY, const TPixelGraphic& source, int srcW,
                               int srcH, int srcLeft, int srcTop, int srcCX, int srcCY,
                               double angle) {
  if (&source == this) {
    TPixelGraphic copy;
    copy.Assign(this);
    RotateInto(destCX, destCY, copy, srcW, srcH, srcLeft, srcTop, srcCX, srcCY, angle);
    return;
  }
  if (Empty() || source.Empty() || !std::isfinite(angle)) return;
  double c = 0, s = 0;
  CosSin(angle, c, s);

  // Target region: the source rectangle mapped forward, clipped to the target.
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  const double cx[4] = {static_cast<double>(srcLeft), static_cast<double>(srcLeft) + srcW,
                        static_cast<double>(srcLeft), static_cast<double>(srcLeft) + srcW};
  const double cy[4] = {static_cast<double>(srcTop), static_cast<double>(srcTop),
                        static_cast<double>(srcTop) + srcH, static_cast<double>(srcTop) + srcH};
  for (int i = 0; i < 4; ++i) {
    const double dx = cx[i] - srcCX, dy = cy[i] - srcCY;
    const double px = destCX + dx * c - dy * s, py = destCY + dx * s + dy * c;
    if (i == 0 || px < minX) minX = px;
    if (i == 0 || px > maxX) maxX = px;
    if (i == 0 || py < minY) minY = py;
    if (i == 0 || py > maxY) maxY = py;
  }
  const int x0 = ClampToInt(std::floor(minX), 0, FWidth);
  const int x1 = ClampToInt(std::ceil(maxX), -1, FWidth - 1);
  const int y0 = ClampToInt(std::floor(minY), 0, FHeight);
  const int y1 = ClampToInt(std::ceil(maxY), -1, FHeight - 1);
  if (x0 > x1) return;
  // Sampled source rectangle, clipped to the source image.
  const std::int64_t left = std::max<std::int64_t>(srcLeft, 0);
  const std::int64_t top = std::max<std::int64_t>(srcTop, 0);
  const std::int64_t right = std::min<std::int64_t>(std::int64_t{srcLeft} + srcW - 1,
                                                    source.Width() - 1);
  const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{srcTop} + srcH - 1,
                                                     source.Height() - 1);
  auto inside = [&](double px, double py) {
    return px >= left && px <= right && py >= top && py <= bottom;
  };

  int turns = 0;
  const bool interpolate = Interpolate && !QuarterTurns(angle, turns);
  if (interpolate && FPixelFormat == pf24Bit && source.PixelFormat() == pf24Bit) {
    {
      TPGProgressScope progress(*this);
      RotateBytes(*this, source, c, s, destCX, destCY, srcCX, srcCY, x0, x1, y0, y1, left, top,
                  right, bottom);
    }
    Changed();
    return;
  }
  {
    TPGDitherScope dither(*this);
    TPGProgressScope progress(*this);
    TTargetWriter writer(*this, dither.Active());
    const TSourceColors colors(source);
    const TSourceColors own(*this);
    for (int y = y0; y <= y1; ++y) {
      writer.NextRow();
      const double dy = static_cast<double>(y) - destCY;
      for (int step = 0; step <= x1 - x0; ++step) {
        const int x = (y & 1) ? x1 - step : x0 + step;
        const double dx = static_cast<double>(x) - destCX;
        const double sx = dx * c + dy * s + srcCX;
        const double sy = -dx * s + dy * c + srcCY;
        if (!interpolate) {
          const double rx = std::nearbyint(sx), ry = std::nearbyint(sy);
          if (inside(rx, ry))
            writer.Write(x, y, colors.Color(static_cast<int>(rx), static_cast<int>(ry)));
          continue;
        }
        const double k = std::floor(sx), l = std::ceil(sx), m = std::floor(sy),
                     n = std::ceil(sy);
        const double wk = k == l ? 0.5 : 1 - (sx - k), wl = k == l ? 0.5 : 1 - (l - sx);
        const double wm = m == n ? 0.5 : 1 - (sy - m), wn = m == n ? 0.5 : 1 - (n - sy);
        const double px[4] = {k, k, l, l}, py[4] = {m, n, m, n};
        const double wt[4] = {wk * wm, wk * wn, wl * wm, wl * wn};
        bool any = false;
        double r = 0, g = 0, b = 0;
        TRGB mine = 0;
        bool mineRead = false;
        for (int i = 0; i < 4; ++i) {
          TRGB col;
          if (inside(px[i], py[i])) {
            col = colors.Color(static_cast<int>(px[i]), static_cast<int>(py[i]));
            any = true;
          } else {
            if (!mineRead) {
              mine = own.Color(x, y);
              mineRead = true;
            }
            col = mine;
          }
          r += wt[i] * RedOf(col);
          g += wt[i] * GreenOf(col);
          b += wt[i] * BlueOf(col);
        }
        if (!any) continue;
        writer.Write(x, y, std::clamp(RoundEven(r), 0, 255), std::clamp(RoundEven(g), 0, 255),
                     std::clamp(RoundEven(b), 0, 255));
      }
      if (Progress(y - y0, y1 - y0)) break;
    }
  }
  Changed();
}
