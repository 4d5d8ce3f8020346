// Resampled copy of a source rectangle into a target rectangle in three qualities.
//
// The horizontal sum of each source row is divided before the vertical weights apply, so each
// source row is reduced to the target columns once and kept while target rows use it.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

#include "imaging/PGraphic.h"
#include "imaging/PixelAccess.h"
#include "imaging/StretchTaps.h"

namespace {

// Truncating division of 0 <= n <= 255 x d. For divisors below 2^23 a double reciprocal is
// exact: its error stays far below 1/d, the least distance of a non-integral quotient to the
// next integer.
struct FastDivider {
  double inv;
  explicit FastDivider(std::int64_t d) : inv(1.0 / static_cast<double>(d)) {}
  int operator()(std::int32_t n) const { return static_cast<int>(n * inv + 1e-9); }
};

struct ExactDivider {
  std::int64_t d;
  explicit ExactDivider(std::int64_t divisor) : d(divisor) {}
  int operator()(std::int64_t n) const { return static_cast<int>(n / d); }
};

// The taps of every target column, flattened.
template <class Acc>
struct ColumnTaps {
  std::vector<std::size_t> first;  // taps of column k: first[k] .. first[k + 1] - 1
  std::vector<std::size_t> offset;  // byte offset of the source pixel in its row
  std::vector<Acc> weight;
  std::vector<std::uint8_t> valid;

  ColumnTaps(const Axis& ax, std::int64_t x0, std::int64_t x1, std::int64_t destX) {
    for (std::int64_t x = x0; x <= x1; ++x) {
      const Tap t = ax.TapFor(x - destX);
      first.push_back(offset.size());
      valid.push_back(t.valid);
      if (!t.valid) continue;
      for (std::int64_t s = t.s0; s <= t.s1; ++s) {
        offset.push_back(static_cast<std::size_t>(s) * 3);
        weight.push_back(static_cast<Acc>(ax.WeightAt(t, s)));
      }
    }
    first.push_back(offset.size());
    singleTaps = offset.size() == valid.size() &&
                 std::all_of(valid.begin(), valid.end(), [](std::uint8_t v) { return v; });
  }
  bool singleTaps = false;  // every column valid with one tap
  std::size_t size() const { return valid.size(); }
};

// Source rows reduced to the target columns (blue, green, red per column), kept while the
// vertical taps still reach them; taps only move downwards.
template <class Acc, class Div>
class ReducedRows {
 public:
  ReducedRows(const TPixelGraphic& source, const ColumnTaps<Acc>& taps, Div div)
      : FSource(source), FColors(source), FTaps(taps), FDiv(div) {
    if (source.PixelFormat() != pf24Bit)
      FScratch.resize(static_cast<std::size_t>(source.Width()) * 3);
  }

  void DropAbove(std::int64_t row) {
    while (!FRows.empty() && FRows.front().row < row) {
      FSpare.push_back(std::move(FRows.front().values));
      FRows.pop_front();
    }
  }

  // Reduces a row straight into `out` without keeping it.
  void ReduceInto(std::int64_t row, std::uint8_t* out) { Reduce(static_cast<int>(row), out); }

  const std::uint8_t* Get(std::int64_t row) {
    for (const auto& e : FRows)
      if (e.row == row) return e.values.data();
    Entry e{row, {}};
    if (!FSpare.empty()) {
      e.values = std::move(FSpare.back());
      FSpare.pop_back();
    }
    e.values.assign(FTaps.size() * 3, 0);
    Reduce(static_cast<int>(row), e.values.data());
    FRows.push_back(std::move(e));
    return FRows.back().values.data();
  }

 private:
  struct Entry {
    std::int64_t row;
    std::vector<std::uint8_t> values;
  };

  const std::uint8_t* SourceRow(int row) {
    if (FSource.PixelFormat() == pf24Bit) return FSource.ScanLine(row);
    FColors.RowBGR(row, FScratch.data());
    return FScratch.data();
  }

  void Reduce(int row, std::uint8_t* out) {
    const std::uint8_t* src = SourceRow(row);
    const std::size_t n = FTaps.size();
    if (FTaps.singleTaps) {  // every column copies one pixel
      const std::size_t* offset = FTaps.offset.data();
      for (std::size_t k = 0; k < n; ++k, out += 3) {
        const std::uint8_t* p = src + offset[k];
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
      }
      return;
    }
    const std::size_t* first = FTaps.first.data();
    const std::size_t* offset = FTaps.offset.data();
    const Acc* weight = FTaps.weight.data();
    for (std::size_t k = 0; k < n; ++k, out += 3) {
      const std::size_t t0 = first[k], t1 = first[k + 1];
      if (t1 == t0) continue;
      if (t1 - t0 == 1) {  // one tap reproduces its pixel: (p x w) / w = p
        const std::uint8_t* p = src + offset[t0];
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
        continue;
      }
      Acc b = 0, g = 0, r = 0;
      for (std::size_t t = t0; t < t1; ++t) {
        const std::uint8_t* p = src + offset[t];
        const Acc w = weight[t];
        b += p[0] * w;
        g += p[1] * w;
        r += p[2] * w;
      }
      out[0] = static_cast<std::uint8_t>(FDiv(b));
      out[1] = static_cast<std::uint8_t>(FDiv(g));
      out[2] = static_cast<std::uint8_t>(FDiv(r));
    }
  }

  const TPixelGraphic& FSource;
  TSourceColors FColors;
  const ColumnTaps<Acc>& FTaps;
  Div FDiv;
  std::vector<std::uint8_t> FScratch;
  std::deque<Entry> FRows;
  std::vector<std::vector<std::uint8_t>> FSpare;
};

// Weighted sum of reduced rows divided by the vertical divisor, per byte. Built for AVX2 too,
// chosen at run time; the arithmetic is the same integer sum and exact division.
// (Not under the sanitizers: their runtime is not ready when the loader picks the clone.)
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && \
    !defined(__SANITIZE_THREAD__) && !defined(__SANITIZE_ADDRESS__)
#define LUMIVEX_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LUMIVEX_CLONES
#endif

LUMIVEX_CLONES
void MixRowsFast(const std::uint8_t* const* rows, const std::int32_t* weights, int count,
                 std::size_t n, std::int32_t* totals, std::uint8_t* out, double inv) {
  for (std::size_t j = 0; j < n; ++j) totals[j] = rows[0][j] * weights[0];
  for (int i = 1; i < count; ++i) {
    const std::uint8_t* h = rows[i];
    const std::int32_t w = weights[i];
    for (std::size_t j = 0; j < n; ++j) totals[j] += h[j] * w;
  }
  for (std::size_t j = 0; j < n; ++j)
    out[j] = static_cast<std::uint8_t>(static_cast<int>(totals[j] * inv + 1e-9));
}

void MixRows(const std::uint8_t* const* rows, const std::int32_t* weights, int count,
             std::size_t n, std::int32_t* totals, std::uint8_t* out, const FastDivider& div) {
  MixRowsFast(rows, weights, count, n, totals, out, div.inv);
}

void MixRows(const std::uint8_t* const* rows, const std::int64_t* weights, int count,
             std::size_t n, std::int64_t* totals, std::uint8_t* out, const ExactDivider& div) {
  for (std::size_t j = 0; j < n; ++j) totals[j] = 0;
  for (int i = 0; i < count; ++i)
    for (std::size_t j = 0; j < n; ++j) totals[j] += rows[i][j] * weights[i];
  for (std::size_t j = 0; j < n; ++j) out[j] = static_cast<std::uint8_t>(div(totals[j]));
}

struct Span {
  std::int64_t x0, x1, y0, y1, destX, destY;
};

template <class Acc, class Div>
void Resample(TPixelGraphic& target, const TPixelGraphic& source, const Axis& ax,
              const Axis& ay, const Span& span) {
  const ColumnTaps<Acc> columns(ax, span.x0, span.x1, span.destX);
  ReducedRows<Acc, Div> rows(source, columns, Div(ax.divisor));
  const Div vdiv(ay.divisor);
  const std::size_t n = columns.size();
  std::vector<Acc> totals(n * 3);
  std::vector<std::uint8_t> mixed(n * 3);
  std::vector<const std::uint8_t*> rowPtrs;
  std::vector<Acc> rowWeights;
  const bool allValid =
      std::all_of(columns.valid.begin(), columns.valid.end(), [](std::uint8_t v) { return v; });

  TPGProgressScope progress(target);
  TPGDitherScope dither(target);
  TTargetWriter writer(target, dither.Active());
  const bool bytes = target.PixelFormat() == pf24Bit;
  for (std::int64_t y = span.y0; y <= span.y1; ++y) {
    const Tap vt = ay.TapFor(y - span.destY);
    if (!vt.valid) continue;
    rows.DropAbove(vt.s0);
    const std::uint8_t* values;
    if (vt.s0 == vt.s1 && bytes && allValid && ay.T <= ay.S) {
      // A reduced row is not met again: reduce it into place.
      rows.ReduceInto(vt.s0, target.ScanLine(static_cast<int>(y)) + span.x0 * 3);
      if (target.Progress(static_cast<int>(y - span.y0), static_cast<int>(span.y1 - span.y0))) break;
      continue;
    }
    if (vt.s0 == vt.s1) {
      values = rows.Get(vt.s0);  // one tap reproduces its row
    } else {
      rowPtrs.clear();
      rowWeights.clear();
      for (std::int64_t i = vt.s0; i <= vt.s1; ++i) {
        rowWeights.push_back(static_cast<Acc>(ay.WeightAt(vt, i)));
        rowPtrs.push_back(rows.Get(i));
      }
      MixRows(rowPtrs.data(), rowWeights.data(), static_cast<int>(rowPtrs.size()), n * 3,
              totals.data(), mixed.data(), vdiv);
      values = mixed.data();
    }
    if (bytes && allValid) {
      std::memcpy(target.ScanLine(static_cast<int>(y)) + span.x0 * 3, values, n * 3);
    } else if (bytes) {
      std::uint8_t* row = target.ScanLine(static_cast<int>(y)) + span.x0 * 3;
      for (std::size_t k = 0; k < n; ++k)
        if (columns.valid[k]) {
          row[k * 3] = values[k * 3];
          row[k * 3 + 1] = values[k * 3 + 1];
          row[k * 3 + 2] = values[k * 3 + 2];
        }
    } else {
      writer.NextRow();
      const bool reverse = (y & 1) != 0;
      for (std::size_t step = 0; step < n; ++step) {
        const std::size_t k = reverse ? n - 1 - step : step;
        if (!columns.valid[k]) continue;
        writer.Write(static_cast<int>(span.x0 + static_cast<std::int64_t>(k)), static_cast<int>(y),
                     values[k * 3 + 2], values[k * 3 + 1], values[k * 3]);
      }
    }
    if (target.Progress(static_cast<int>(y - span.y0), static_cast<int>(span.y1 - span.y0))) break;
  }
}

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
    const Axis ax(StretchMode, srcW, destW, srcX, source.Width());
    const Axis ay(StretchMode, srcH, destH, srcY, source.Height());
    const Span span{x0, x1, y0, y1, destX, destY};
    if (x1 < x0 || y1 < y0) {
      TPGProgressScope progress(*this);
    } else if (ax.divisor < (1 << 23) && ay.divisor < (1 << 23)) {
      Resample<std::int32_t, FastDivider>(*this, source, ax, ay, span);
    } else {
      Resample<std::int64_t, ExactDivider>(*this, source, ax, ay, span);
    }
  }
  Changed();
}
