#include "imaging/filters/ConvFilter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "imaging/PGMessageIds.h"
#include "imaging/filters/ConvKernels.h"

// What Prepare derives from the kernel and the source for the rows.
struct TConvFilter::TPrepared {
  int W = 0, H = 0;
  std::vector<std::uint8_t> copy;          // rows of a palette source as blue, green, red
  std::vector<const std::uint8_t*> rows;   // every source row, top row first
  std::vector<std::int64_t> rowTotals;     // weight total of each kernel row
  std::int64_t total = 0;                  // of the whole kernel
  double offsetTerm = 0;                   // Offset x 255 x 0.01
  // Kernel rows with equal weights are summed before their weights apply; within a row, two
  // columns with equal weights are added before the multiplication.
  struct TTap {
    int col, mirror;  // mirror < 0: a single column
    std::int32_t weight;
  };
  struct TGroup {
    std::vector<int> kernelRows;
    std::vector<TTap> taps;
  };
  std::vector<TGroup> groups;
  bool sums32 = false;  // every partial sum fits 32 bits: the row loops may be used
  std::vector<std::uint8_t> lut;  // final byte of each full-kernel sum, from lutMin
  std::int64_t lutMin = 0;
};

TConvFilter::TConvFilter() : FWeights(1, 1) {}

TConvFilter::TConvFilter(const TConvFilter& other)
    : TPGFilter(other),
      OriginX(other.OriginX),
      OriginY(other.OriginY),
      Offset(other.Offset),
      Factor(other.Factor),
      FWidth(other.FWidth),
      FHeight(other.FHeight),
      FWeights(other.FWeights) {}

TConvFilter& TConvFilter::operator=(const TConvFilter& other) {
  if (this == &other) return *this;
  TPGFilter::operator=(other);
  OriginX = other.OriginX;
  OriginY = other.OriginY;
  Offset = other.Offset;
  Factor = other.Factor;
  FWidth = other.FWidth;
  FHeight = other.FHeight;
  FWeights = other.FWeights;
  FPrepared.reset();
  return *this;
}

TConvFilter::~TConvFilter() = default;

std::unique_ptr<TPGFilter> TConvFilter::Clone() const {
  return std::make_unique<TConvFilter>(*this);
}

// ---- kernel access -----------------------------------------------------------------------

void TConvFilter::SetKernelWidth(int width) {
  if (width < 1 || width > kMaxKernelSize)
    PGRaise<EPGConvFilter>(pgmOutOfRange, "TConvFilter.Width");
  if (width == FWidth) return;
  FWidth = width;
  FWeights.assign(static_cast<std::size_t>(FWidth) * FHeight, 0);
}

void TConvFilter::SetKernelHeight(int height) {
  if (height < 1 || height > kMaxKernelSize)
    PGRaise<EPGConvFilter>(pgmOutOfRange, "TConvFilter.Height");
  if (height == FHeight) return;
  FHeight = height;
  FWeights.assign(static_cast<std::size_t>(FWidth) * FHeight, 0);
}

std::int32_t TConvFilter::Weight(int col, int row) const {
  if (col < 0 || row < 0 || col >= FWidth || row >= FHeight)
    PGRaise<EPGConvFilter>(pgmXYIndexOutOfRange);
  return FWeights[static_cast<std::size_t>(row) * FWidth + col];
}

void TConvFilter::SetWeight(int col, int row, std::int32_t weight) {
  if (col < 0 || row < 0 || col >= FWidth || row >= FHeight)
    PGRaise<EPGConvFilter>(pgmXYIndexOutOfRange);
  FWeights[static_cast<std::size_t>(row) * FWidth + col] = weight;
}

void TConvFilter::SetKernel(int width, int height, std::vector<std::int32_t> weights,
                            int origin) {
  FWidth = width;
  FHeight = height;
  FWeights = std::move(weights);
  OriginX = OriginY = origin;
}

// ---- filtering ---------------------------------------------------------------------------

std::uint8_t TConvFilter::FinalValue(std::int64_t sum, std::int64_t total) const {
  const double q = total != 0 ? static_cast<double>(sum) / static_cast<double>(total)
                              : static_cast<double>(sum);
  double v = Factor * q + FPrepared->offsetTerm;
  // Limiting to -1..256 before rounding changes no result; NaN becomes 0.
  if (!(v > -1.0)) v = -1.0;
  if (v > 256.0) v = 256.0;
  const int r = static_cast<int>(std::nearbyint(v));
  return static_cast<std::uint8_t>(r < 0 ? 0 : (r > 255 ? 255 : r));
}

void TConvFilter::Prepare(const TPixelGraphic& source) {
  TPGFilter::Prepare(source);
  auto p = std::make_unique<TPrepared>();
  const TSourceRows& src = Source();
  p->W = src.Width();
  p->H = src.Height();
  p->offsetTerm = Offset * 255 * 0.01;
  p->rows.resize(static_cast<std::size_t>(p->H));
  if (src.TrueColor()) {
    for (int y = 0; y < p->H; ++y) p->rows[static_cast<std::size_t>(y)] = src.Row24(y);
  } else {
    const std::size_t rowBytes = static_cast<std::size_t>(p->W) * 3;
    p->copy.resize(rowBytes * static_cast<std::size_t>(p->H));
    for (int y = 0; y < p->H; ++y) {
      std::uint8_t* row = p->copy.data() + rowBytes * static_cast<std::size_t>(y);
      src.ReadRow(y, row);
      p->rows[static_cast<std::size_t>(y)] = row;
    }
  }

  std::int64_t absolute = 0, positive = 0, negative = 0;
  p->rowTotals.assign(static_cast<std::size_t>(FHeight), 0);
  for (int i = 0; i < FHeight; ++i)
    for (int j = 0; j < FWidth; ++j) {
      const std::int64_t w = FWeights[static_cast<std::size_t>(i) * FWidth + j];
      p->rowTotals[static_cast<std::size_t>(i)] += w;
      absolute += w < 0 ? -w : w;
      (w < 0 ? negative : positive) += w;
    }
  for (std::int64_t t : p->rowTotals) p->total += t;
  p->sums32 = absolute * 255 <= std::numeric_limits<std::int32_t>::max();

  for (int i = 0; i < FHeight; ++i) {
    const std::int32_t* weights = &FWeights[static_cast<std::size_t>(i) * FWidth];
    if (std::all_of(weights, weights + FWidth, [](std::int32_t w) { return w == 0; })) continue;
    auto same = std::find_if(p->groups.begin(), p->groups.end(), [&](const TPrepared::TGroup& g) {
      const std::int32_t* other = &FWeights[static_cast<std::size_t>(g.kernelRows[0]) * FWidth];
      return std::equal(weights, weights + FWidth, other);
    });
    if (same != p->groups.end()) {
      same->kernelRows.push_back(i);
      continue;
    }
    TPrepared::TGroup group;
    group.kernelRows.push_back(i);
    for (int j = 0, m = FWidth - 1; j <= m; ++j, --m) {
      if (j < m && weights[j] == weights[m]) {
        if (weights[j] != 0) group.taps.push_back({j, m, weights[j]});
        continue;
      }
      if (weights[j] != 0) group.taps.push_back({j, -1, weights[j]});
      if (j < m && weights[m] != 0) group.taps.push_back({m, -1, weights[m]});
    }
    p->groups.push_back(std::move(group));
  }

  FPrepared = std::move(p);
  TPrepared& q = *FPrepared;
  const std::int64_t lo = negative * 255, hi = positive * 255;
  if (q.sums32 && hi - lo < (std::int64_t{1} << 20)) {
    q.lutMin = lo;
    q.lut.resize(static_cast<std::size_t>(hi - lo + 1));
    for (std::int64_t s = lo; s <= hi; ++s)
      q.lut[static_cast<std::size_t>(s - lo)] = FinalValue(s, q.total);
  }
}

void TConvFilter::Finish() {
  FPrepared.reset();
  TPGFilter::Finish();
}

// One pixel with the kernel cells that lie inside the image.
void TConvFilter::PixelAt(int x, int y, std::uint8_t* bgr) const {
  const TPrepared& p = *FPrepared;
  std::int64_t n = 0, b = 0, g = 0, r = 0;
  for (int i = 0; i < FHeight; ++i) {
    const std::int64_t sy = std::int64_t{y} + OriginY + i;
    if (sy < 0 || sy >= p.H) continue;
    const std::uint8_t* row = p.rows[static_cast<std::size_t>(sy)];
    const std::int32_t* weights = &FWeights[static_cast<std::size_t>(i) * FWidth];
    for (int j = 0; j < FWidth; ++j) {
      const std::int64_t sx = std::int64_t{x} + OriginX + j;
      if (sx < 0 || sx >= p.W) continue;
      const std::int64_t k = weights[j];
      const std::uint8_t* px = row + sx * 3;
      n += k;
      b += k * px[0];
      g += k * px[1];
      r += k * px[2];
    }
  }
  bgr[0] = FinalValue(b, n);
  bgr[1] = FinalValue(g, n);
  bgr[2] = FinalValue(r, n);
}

TRGB TConvFilter::FilterPixel(int x, int y) const {
  if (!FPrepared || x < 0 || y < 0 || x >= FPrepared->W || y >= FPrepared->H) return 0;
  std::uint8_t bgr[3];
  PixelAt(x, y, bgr);
  return RGBColor(bgr[2], bgr[1], bgr[0]);
}

void TConvFilter::FilterRow(int y, std::uint8_t* out) const {
  const TPrepared& p = *FPrepared;
  const int w = p.W;
  // Columns whose kernel lies inside the image horizontally.
  const std::int64_t xa = std::max<std::int64_t>(0, -std::int64_t{OriginX});
  const std::int64_t xb = std::min<std::int64_t>(w - 1, std::int64_t{w} - FWidth - OriginX);
  if (!p.sums32 || xa > xb) {
    for (int x = 0; x < w; ++x) PixelAt(x, y, out + static_cast<std::size_t>(x) * 3);
    return;
  }
  for (std::int64_t x = 0; x < xa; ++x) PixelAt(static_cast<int>(x), y, out + x * 3);
  for (std::int64_t x = xb + 1; x < w; ++x) PixelAt(static_cast<int>(x), y, out + x * 3);

  auto inside = [&](int i) {
    const std::int64_t sy = std::int64_t{y} + OriginY + i;
    return sy >= 0 && sy < p.H;
  };
  std::int64_t total = 0;
  bool fullKernel = true;
  for (int i = 0; i < FHeight; ++i) {
    if (inside(i))
      total += p.rowTotals[static_cast<std::size_t>(i)];
    else
      fullKernel = false;
  }

  const std::size_t n = static_cast<std::size_t>(xb - xa + 1) * 3;
  const std::size_t srcStart = static_cast<std::size_t>(xa + OriginX) * 3;
  std::vector<std::int32_t> acc(n, 0);
  std::vector<std::int32_t> summed;
  std::vector<const std::uint8_t*> active;
  for (const TPrepared::TGroup& group : p.groups) {
    active.clear();
    for (int i : group.kernelRows)
      if (inside(i))
        active.push_back(p.rows[static_cast<std::size_t>(y + OriginY + i)] + srcStart);
    if (active.empty()) continue;
    if (active.size() == 1) {
      const std::uint8_t* s = active[0];
      for (const TPrepared::TTap& t : group.taps) {
        if (t.mirror < 0)
          convk::MulAdd(acc.data(), s + t.col * 3, n, t.weight);
        else
          convk::MulAddPair(acc.data(), s + t.col * 3, s + t.mirror * 3, n, t.weight);
      }
      continue;
    }
    const std::size_t span = n + static_cast<std::size_t>(FWidth - 1) * 3;
    summed.resize(span);
    convk::Widen(summed.data(), active[0], span);
    for (std::size_t k = 1; k < active.size(); ++k) convk::Add(summed.data(), active[k], span);
    const std::int32_t* s = summed.data();
    for (const TPrepared::TTap& t : group.taps) {
      if (t.mirror < 0)
        convk::MulAdd(acc.data(), s + t.col * 3, n, t.weight);
      else
        convk::MulAddPair(acc.data(), s + t.col * 3, s + t.mirror * 3, n, t.weight);
    }
  }

  std::uint8_t* dst = out + xa * 3;
  if (fullKernel && !p.lut.empty()) {
    convk::Lookup(dst, acc.data(), n, p.lut.data(), static_cast<std::int32_t>(p.lutMin));
  } else {
    for (std::size_t k = 0; k < n; ++k) dst[k] = FinalValue(acc[k], total);
  }
}
