#include "imaging/filters/ApplyFilter.h"

#include <cstring>
#include <vector>

#include "imaging/PGMessageIds.h"
#include "imaging/filters/RowBands.h"

namespace {

// Calls Finish on every path once Prepare succeeded.
class TPreparedFilter {
 public:
  TPreparedFilter(TPGFilter& filter, const TPixelGraphic& source) : FFilter(filter) {
    FFilter.Prepare(source);
  }
  ~TPreparedFilter() { FFilter.Finish(); }
  TPreparedFilter(const TPreparedFilter&) = delete;
  TPreparedFilter& operator=(const TPreparedFilter&) = delete;

 private:
  TPGFilter& FFilter;
};

// The destination becomes a copy of the source's pixel values and palette, keeping its own
// (equal or deeper) pixel format.
void CopyIndexesAndPalette(TPixelGraphic& dest, const TPixelGraphic& source) {
  if (dest.PixelFormat() == source.PixelFormat()) {
    std::memcpy(dest.Bits(), source.Bits(), source.ImageSize());
  } else {
    for (int y = 0; y < dest.Height(); ++y)
      for (int x = 0; x < dest.Width(); ++x) dest.SetPixel(x, y, source.Pixel(x, y));
  }
  dest.CopyPalette(source);
}

void PaletteRoute(TPixelGraphic& dest, TPGFilter& filter, const TPixelGraphic& source) {
  if (&source != &dest) CopyIndexesAndPalette(dest, source);
  if (dest.PaletteCount() == 0) return;
  TPreparedFilter prepared(filter, source);
  for (int i = 0; i < dest.PaletteCount(); ++i)
    dest.SetPaletteColor(i, filter.FilterColor(dest.PaletteColor(i)));
}

void TrueColorRows(TPixelGraphic& dest, const TPGFilter& filter, int threads) {
  const int w = dest.Width(), h = dest.Height();
  std::uint8_t* bits = dest.Bits();
  const std::size_t stride = dest.RowBytes();
  auto row = [=](int y) { return bits + static_cast<std::size_t>(h - 1 - y) * stride; };
  const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;

  if (threads == 1) {
    for (int y = 0; y < h; ++y) {
      filter.FilterRow(y, row(y));
      if (dest.Progress(y, h - 1)) return;
    }
  } else if (!dest.OnPixelGraphicProgress) {
    // Nobody can abort: rows go straight into the destination.
    RunRowsDirect(h, threads, [&](int y) { filter.FilterRow(y, row(y)); });
  } else {
    // Rows reach the destination in order, so an abort leaves the later rows untouched.
    TRowBandJob job;
    job.Height = h;
    job.RowBytes = rowBytes;
    job.Threads = threads;
    job.Compute = [&](int y, std::uint8_t* out) { filter.FilterRow(y, out); };
    job.Commit = [&](int y, std::uint8_t* out) {
      std::memcpy(row(y), out, rowBytes);
      return dest.Progress(y, h - 1);
    };
    RunRowBands(job);
  }
}

void PaletteRows(TPixelGraphic& dest, const TPGFilter& filter, bool dither, int threads) {
  const int w = dest.Width(), h = dest.Height();
  TRowBandJob job;
  job.Height = h;
  job.RowBytes = static_cast<std::size_t>(w) * 3;
  job.Threads = threads;
  job.Compute = [&](int y, std::uint8_t* out) { filter.FilterRow(y, out); };
  job.Commit = [&](int y, std::uint8_t* bgr) {
    if (dither) dest.NextDitherRow();
    const bool reverse = (y & 1) != 0;
    for (int i = 0; i < w; ++i) {
      const int x = reverse ? w - 1 - i : i;
      const std::uint8_t* p = bgr + static_cast<std::size_t>(x) * 3;
      if (dither)
        dest.SetPixelDithered(x, y, p[2], p[1], p[0]);
      else
        dest.SetPixelColor(x, y, RGBColor(p[2], p[1], p[0]));
    }
    return dest.Progress(y, h - 1);
  };
  RunRowBands(job);
}

void PixelRoute(TPixelGraphic& dest, TPGFilter& filter, const TPixelGraphic& source,
                const TPGFilterOptions& options) {
  TPGDitherScope dither(dest);
  TPreparedFilter prepared(filter, source);
  TPGProgressScope progress(dest);
  const int threads = FilterThreadCount(
      options.Threads, static_cast<std::int64_t>(dest.Width()) * dest.Height());
  if (dest.PixelFormat() == pf24Bit)
    TrueColorRows(dest, filter, threads);
  else
    PaletteRows(dest, filter, dither.Active(), threads);
}

}  // namespace

void ApplyFilter(TPixelGraphic& destination, TPGFilter& filter, const TPixelGraphic& source,
                 const TPGFilterOptions& options) {
  const bool inPlace = &source == &destination;
  if (inPlace && !filter.IsPointFilter()) PGRaise<EPGFilter>(pgmFilterSourceIsTarget);
  TPGUpdateScope update(destination);  // one change notification when it ends
  if (!inPlace) destination.SetSize(source.Width(), source.Height(), destination.PixelFormat());
  if (destination.Empty() || source.Empty()) return;
  if (filter.IsPointFilter() && destination.PixelFormat() != pf24Bit &&
      destination.BitCount() >= source.BitCount())
    PaletteRoute(destination, filter, source);
  else
    PixelRoute(destination, filter, source, options);
}
