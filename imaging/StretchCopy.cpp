// Resampled copy of a source rectangle into a target rectangle in three qualities.
//
// Per axis the copy samples directly (one pixel), interpolates between the two nearest pixel
// centres (divisor 2T) or averages the covered area (divisor S), S and T being the source and
// target lengths. All arithmetic is integer and truncating; the horizontal sum of each source
// row is divided before the vertical weights apply.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "PGraphic.h"
#include "PixelAccess.h"

namespace {

enum class Sampling { Direct, Interpolate, Area };

struct Tap {
  std::int64_t s0 = 0, s1 = 0;  // first and last source position
  std::int64_t w0 = 0, w1 = 0;  // weights of s0 and s1; positions between weigh `between`
  bool valid = false;
};

struct Axis {
  Sampling kind;
  std::int64_t S, T, O;  // source length, target length, source offset
  std::int64_t extent;    // source image size on this axis
  bool fast;
  std::int64_t divisor;

  Axis(TStretchMode mode, std::int64_t s, std::int64_t t, std::int64_t o, std::int64_t ext)
      : S(s), T(t), O(o), extent(ext), fast(mode == smFast) {
    if ((t < s && mode == smMedium) || (t > s && mode == smPrecise)) {
      kind = Sampling::Interpolate;
      divisor = 2 * t;
    } else if ((t < s && mode == smPrecise) || (t > s && mode == smMedium)) {
      kind = Sampling::Area;
      divisor = s;
    } else {
      kind = Sampling::Direct;
      divisor = 1;
    }
  }

  std::int64_t between() const { return T; }
  bool Inside(std::int64_t s) const { return s >= 0 && s < extent; }

  Tap TapFor(std::int64_t u) const {
    Tap t;
    switch (kind) {
      case Sampling::Interpolate: {
        const std::int64_t c = S * (2 * u + 1);
        t.s0 = O + (c - T) / (2 * T);
        t.s1 = O + (c + T) / (2 * T);
        t.valid = Inside(t.s0) && Inside(t.s1);
        if (!t.valid && T > S && Inside(t.s0) != Inside(t.s1) &&
            (t.s0 == -1 || t.s1 == extent)) {
          // Enlarged edges: the taps straddle the image border and fold onto its last pixel.
          t.s0 = t.s1 = Inside(t.s0) ? t.s0 : t.s1;
          t.valid = true;
        }
        if (T * (2 * (t.s0 - O) + 1) == c || t.s0 == t.s1) {
          t.s1 = t.s0;
          t.w0 = 2 * T;
        } else {
          t.w0 = 2 * T + T * (2 * (t.s0 - O) + 1) - c;
          t.w1 = 2 * T + c - T * (2 * (t.s1 - O) + 1);
        }
        break;
      }
      case Sampling::Area: {
        t.s0 = O + S * u / T;
        const std::int64_t e = S * (u + 1);
        t.s1 = O + e / T - (e % T == 0 ? 1 : 0);
        t.valid = Inside(t.s0) && Inside(t.s1);
        if (t.s0 == t.s1) {
          t.w0 = S;
        } else {
          t.w0 = T * (t.s0 - O + 1) - S * u;
          t.w1 = e - T * (t.s1 - O);
        }
        break;
      }
      case Sampling::Direct:
        t.s0 = t.s1 = fast ? O + S * u / T : O + u;
        t.w0 = 1;
        t.valid = Inside(t.s0);
        break;
    }
    return t;
  }

  std::int64_t WeightAt(const Tap& t, std::int64_t s) const {
    if (s == t.s0) return t.w0;
    if (s == t.s1) return t.w1;
    return between();
  }
};

// Source rows reduced horizontally to the target columns, cached while the rows are in use.
class RowCache {
 public:
  RowCache(const TSourceColors& source, const Axis& ax, const std::vector<Tap>& taps,
           int sourceWidth)
      : FSource(source), FAxis(ax), FTaps(taps), FRaw(static_cast<std::size_t>(sourceWidth) * 3) {}

  const std::int64_t* Get(std::int64_t row) {
    for (auto& e : FEntries)
      if (e.row == row) return e.values.data();
    Entry* slot = nullptr;
    if (FEntries.size() < 4096) {
      FEntries.emplace_back();
      slot = &FEntries.back();
    } else {
      slot = &*std::min_element(FEntries.begin(), FEntries.end(),
                                [](const Entry& a, const Entry& b) { return a.row < b.row; });
    }
    Fill(row, *slot);
    return slot->values.data();
  }

  // Forgets rows above `row`; taps only move downwards.
  void DropBelow(std::int64_t row) {
    std::erase_if(FEntries, [row](const Entry& e) { return e.row < row; });
  }

 private:
  struct Entry {
    std::int64_t row = -1;
    std::vector<std::int64_t> values;
  };

  void Fill(std::int64_t row, Entry& e) {
    e.row = row;
    e.values.assign(FTaps.size() * 3, 0);
    FSource.Row(static_cast<int>(row), FRaw.data());
    for (std::size_t k = 0; k < FTaps.size(); ++k) {
      const Tap& t = FTaps[k];
      if (!t.valid) continue;
      std::int64_t r = 0, g = 0, b = 0;
      for (std::int64_t s = t.s0; s <= t.s1; ++s) {
        const std::int64_t w = FAxis.WeightAt(t, s);
        const int* p = &FRaw[static_cast<std::size_t>(s) * 3];
        r += p[0] * w;
        g += p[1] * w;
        b += p[2] * w;
      }
      e.values[k * 3] = r / FAxis.divisor;
      e.values[k * 3 + 1] = g / FAxis.divisor;
      e.values[k * 3 + 2] = b / FAxis.divisor;
    }
  }

  const TSourceColors& FSource;
  const Axis& FAxis;
  const std::vector<Tap>& FTaps;
  std::vector<int> FRaw;
  std::vector<Entry> FEntries;
};

}  // namespace

void TPixelGraphic::CopyFrom(const TPixelGraphic& source) {
  StretchCopy(0, 0, FWidth, FHeight, source, 0, 0, source.Width(), source.Height());
}

void TPixelGraphic::StretchCopy(int destX, int destY, int destW, int destH,
                                const TPixelGraphic& source, int srcX, int srcY, int srcW,
                                int srcH) {
  FlushDrawing();
  if (Empty() || source.Empty() || FWidth < 1 || FHeight < 1 || source.Width() < 1 ||
      source.Height() < 1)
    return;
  if (destW == srcW && destH == srcH) {
    CopyRegion(destX, destY, source, srcX, srcY, destW, destH);
    return;
  }
  // A rectangle side below 1 has nothing to sample.
  if (destW < 1 || destH < 1 || srcW < 1 || srcH < 1) return;
  if (&source == this) {
    TPixelGraphic copy;
    copy.Assign(this);
    StretchCopy(destX, destY, destW, destH, copy, srcX, srcY, srcW, srcH);
    return;
  }

  const std::int64_t x0 = std::max<std::int64_t>(destX, 0);
  const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{destX} + destW - 1, FWidth - 1);
  const std::int64_t y0 = std::max<std::int64_t>(destY, 0);
  const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{destY} + destH - 1, FHeight - 1);

  {
    TPGProgressScope progress(*this);
    TPGDitherScope dither(*this);
    TTargetWriter writer(*this, dither.Active());
    const Axis ax(StretchMode, srcW, destW, srcX, source.Width());
    const Axis ay(StretchMode, srcH, destH, srcY, source.Height());
    std::vector<Tap> hTaps(static_cast<std::size_t>(std::max<std::int64_t>(x1 - x0 + 1, 0)));
    for (std::int64_t x = x0; x <= x1; ++x)
      hTaps[static_cast<std::size_t>(x - x0)] = ax.TapFor(x - destX);

    const TSourceColors colors(source);
    RowCache rows(colors, ax, hTaps, source.Width());
    std::vector<std::int64_t> totals(hTaps.size() * 3);
    for (std::int64_t y = y0; y <= y1 && !hTaps.empty(); ++y) {
      const Tap vt = ay.TapFor(y - destY);
      if (!vt.valid) continue;
      rows.DropBelow(vt.s0);
      std::fill(totals.begin(), totals.end(), 0);
      for (std::int64_t i = vt.s0; i <= vt.s1; ++i) {
        const std::int64_t wy = ay.WeightAt(vt, i);
        const std::int64_t* h = rows.Get(i);
        for (std::size_t k = 0; k < totals.size(); ++k) totals[k] += h[k] * wy;
      }
      writer.NextRow();
      const std::int64_t n = x1 - x0 + 1;
      const bool reverse = (y & 1) != 0;
      for (std::int64_t step = 0; step < n; ++step) {
        const std::size_t k = static_cast<std::size_t>(reverse ? n - 1 - step : step);
        if (!hTaps[k].valid) continue;
        writer.Write(static_cast<int>(x0 + static_cast<std::int64_t>(k)), static_cast<int>(y),
                     static_cast<int>(totals[k * 3] / ay.divisor),
                     static_cast<int>(totals[k * 3 + 1] / ay.divisor),
                     static_cast<int>(totals[k * 3 + 2] / ay.divisor));
      }
      if (Progress(static_cast<int>(y - y0), static_cast<int>(y1 - y0))) break;
    }
  }
  Changed();
}
