// The optimised resampling and rotation loops against plain per-pixel evaluations of the
// defining formulas, on awkward sizes, offsets and angles.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/imaging/TestImages.h"
#include "imaging/PGraphic.h"

namespace {

struct RefTap {
  long long s0, s1, w0, w1, between;
  bool valid;
};

// Taps of one target position u, written straight from the sampling rules.
RefTap Taps(TStretchMode mode, long long S, long long T, long long O, long long extent,
            long long u, long long& divisor) {
  const bool interp = (T < S && mode == smMedium) || (T > S && mode == smPrecise);
  const bool area = (T < S && mode == smPrecise) || (T > S && mode == smMedium);
  auto inside = [&](long long s) { return s >= 0 && s < extent; };
  RefTap t{};
  if (interp) {
    divisor = 2 * T;
    const long long c = S * (2 * u + 1);
    t.s0 = O + (c - T) / (2 * T);
    t.s1 = O + (c + T) / (2 * T);
    t.valid = inside(t.s0) && inside(t.s1);
    if (!t.valid && T > S && inside(t.s0) != inside(t.s1)) {
      t.s0 = t.s1 = inside(t.s0) ? t.s0 : t.s1;
      t.valid = true;
    }
    if (T * (2 * (t.s0 - O) + 1) == c || t.s0 == t.s1) {
      t.s1 = t.s0;
      t.w0 = 2 * T;
    } else {
      t.w0 = 2 * T + T * (2 * (t.s0 - O) + 1) - c;
      t.w1 = 2 * T + c - T * (2 * (t.s1 - O) + 1);
    }
  } else if (area) {
    divisor = S;
    t.s0 = O + S * u / T;
    t.s1 = O + S * (u + 1) / T - ((S * (u + 1)) % T == 0 ? 1 : 0);
    t.valid = inside(t.s0) && inside(t.s1);
    t.between = T;
    if (t.s0 == t.s1) {
      t.w0 = S;
    } else {
      t.w0 = T * (t.s0 - O + 1) - S * u;
      t.w1 = S * (u + 1) - T * (t.s1 - O);
    }
  } else {
    divisor = 1;
    t.s0 = t.s1 = mode == smFast ? O + S * u / T : O + u;
    t.w0 = 1;
    t.valid = inside(t.s0);
  }
  return t;
}

long long Weight(const RefTap& t, long long s) {
  if (s == t.s0) return t.w0;
  if (s == t.s1) return t.w1;
  return t.between;
}

void ReferenceStretch(TPixelGraphic& dst, int dx, int dy, int dw, int dh, const TPixelGraphic& src,
                      int sx, int sy, int sw, int sh) {
  for (int y = std::max(dy, 0); y <= std::min(dy + dh - 1, dst.Height() - 1); ++y) {
    long long vdiv = 1, hdiv = 1;
    const RefTap vt = Taps(dst.StretchMode, sh, dh, sy, src.Height(), y - dy, vdiv);
    if (!vt.valid) continue;
    for (int x = std::max(dx, 0); x <= std::min(dx + dw - 1, dst.Width() - 1); ++x) {
      const RefTap ht = Taps(dst.StretchMode, sw, dw, sx, src.Width(), x - dx, hdiv);
      if (!ht.valid) continue;
      long long total[3] = {0, 0, 0};
      for (long long i = vt.s0; i <= vt.s1; ++i) {
        long long sum[3] = {0, 0, 0};
        for (long long j = ht.s0; j <= ht.s1; ++j) {
          const TRGB c = src.PixelColor(static_cast<int>(j), static_cast<int>(i));
          for (int ch = 0; ch < 3; ++ch) sum[ch] += ((c >> (8 * ch)) & 0xFF) * Weight(ht, j);
        }
        for (int ch = 0; ch < 3; ++ch) total[ch] += sum[ch] / hdiv * Weight(vt, i);
      }
      dst.SetPixel(x, y, RGBColor(static_cast<int>(total[0] / vdiv), static_cast<int>(total[1] / vdiv),
                                  static_cast<int>(total[2] / vdiv)));
    }
  }
}

TEST(ReferencePaths, StretchMatchesThePlainFormulas) {
  std::mt19937 rng(5);
  TPixelGraphic src;
  MakePhotoLike(src, 37, 23);
  TPixelGraphic pal;  // a palette source goes through its colours
  pal.SetSize(37, 23, pf8Bit);
  pal.SetPaletteIdent(pSpecial216);
  pal.CopyFrom(src);
  for (int n = 0; n < 300; ++n) {
    const TPixelGraphic& source = n % 3 == 0 ? pal : src;
    const auto mode = static_cast<TStretchMode>(n % 3);
    const int dw = 1 + static_cast<int>(rng() % 60), dh = 1 + static_cast<int>(rng() % 40);
    const int sw = 1 + static_cast<int>(rng() % 45), sh = 1 + static_cast<int>(rng() % 30);
    const int dx = static_cast<int>(rng() % 9) - 4, dy = static_cast<int>(rng() % 9) - 4;
    const int sx = static_cast<int>(rng() % 9) - 4, sy = static_cast<int>(rng() % 9) - 4;
    if (dw == sw && dh == sh) continue;
    TPixelGraphic fast, ref;
    for (TPixelGraphic* g : {&fast, &ref}) {
      g->SetSize(30, 20, pf24Bit);
      g->StretchMode = mode;
      FillConstant(*g, RGBColor(1, 2, 3));
    }
    fast.StretchCopy(dx, dy, dw, dh, source, sx, sy, sw, sh);
    ReferenceStretch(ref, dx, dy, dw, dh, source, sx, sy, sw, sh);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x)
        ASSERT_EQ(fast.Pixel(x, y), ref.Pixel(x, y))
            << "mode " << int(mode) << " dest " << dx << "," << dy << " " << dw << "x" << dh
            << " src " << sx << "," << sy << " " << sw << "x" << sh << " at " << x << "," << y;
  }
}

TEST(ReferencePaths, InterpolatedRotationMatchesThePlainFormula) {
  TPixelGraphic src;
  MakePhotoLike(src, 31, 17);
  for (double angle : {30.0, -12.5, 45.0, 133.7, 200.0, 0.5}) {
    TPixelGraphic fast;
    fast.SetSize(40, 36, pf24Bit);
    FillConstant(fast, RGBColor(9, 90, 200));
    TPixelGraphic ref;
    ref.Assign(&fast);
    fast.RotateInto(20, 18, src, 25, 14, 3, 2, 15, 8, angle);
    const double t = angle * M_PI / 180, c = std::cos(t), s = std::sin(t);
    for (int y = 0; y < 36; ++y)
      for (int x = 0; x < 40; ++x) {
        const double sx = (x - 20) * c + (y - 18) * s + 15, sy = -(x - 20) * s + (y - 18) * c + 8;
        const double k = std::floor(sx), l = std::ceil(sx), m = std::floor(sy), n = std::ceil(sy);
        const double px[4] = {k, k, l, l}, py[4] = {m, n, m, n};
        const double wx[2] = {k == l ? 0.5 : 1 - (sx - k), k == l ? 0.5 : 1 - (l - sx)};
        const double wy[2] = {m == n ? 0.5 : 1 - (sy - m), m == n ? 0.5 : 1 - (n - sy)};
        double acc[3] = {0, 0, 0};
        bool any = false;
        for (int i = 0; i < 4; ++i) {
          const bool in = px[i] >= 3 && px[i] <= 27 && py[i] >= 2 && py[i] <= 15;
          any = any || in;
          const TRGB col = in ? src.Pixel(static_cast<int>(px[i]), static_cast<int>(py[i]))
                              : ref.Pixel(x, y);
          for (int ch = 0; ch < 3; ++ch)
            acc[ch] += wx[i / 2] * wy[i % 2] * ((col >> (8 * ch)) & 0xFF);
        }
        if (!any) continue;
        ref.SetPixel(x, y, RGBColor(static_cast<int>(std::nearbyint(acc[0])),
                                    static_cast<int>(std::nearbyint(acc[1])),
                                    static_cast<int>(std::nearbyint(acc[2]))));
      }
    for (int y = 0; y < 36; ++y)
      for (int x = 0; x < 40; ++x)
        ASSERT_EQ(fast.Pixel(x, y), ref.Pixel(x, y)) << angle << " at " << x << "," << y;
  }
}

}  // namespace
