// Benchmarks of the filters on a 24-megapixel photo: the colour filters in place and the
// convolution filters into a new 24-bit picture, as the editor applies them (with a progress
// handler, so rows reach the picture in order). Argument: threads (0 = by cores).
//
// The photo is read from $LUMIVEX_BENCH_PHOTO when set (bench/compare_filters.py passes the
// file it gives the other tools), otherwise a 6000x4000 photo-like picture is made.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "imaging/filters/ApplyFilter.h"
#include "imaging/filters/ChannelFilters.h"
#include "imaging/filters/ConvFilter.h"
#include "imaging/filters/FilterTables.h"
#include "imaging/filters/PointFilters.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace {

void MakePhoto(TPixelGraphic& g, int w, int h) {
  g.SetSize(w, h, pf24Bit);
  std::uint32_t seed = 12345;
  for (int y = 0; y < h; ++y) {
    std::uint8_t* p = g.ScanLine(y);
    for (int x = 0; x < w; ++x, p += 3) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = static_cast<int>((seed >> 24) & 15) - 8;
      auto clamp = [](int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
      const int wave = ((x / 7 + y / 5) % 64) - 32;
      p[2] = clamp((x * 255) / w + wave + noise);
      p[1] = clamp((y * 255) / h - wave / 2 + noise);
      p[0] = clamp(((x + y) * 255) / (w + h) + wave / 3 + noise);
    }
  }
}

const TPixelGraphic& Photo() {
  static const std::unique_ptr<TPixelGraphic> photo = [] {
    auto g = std::make_unique<TPixelGraphic>();
    if (const char* path = std::getenv("LUMIVEX_BENCH_PHOTO")) {
      FileFormatReaders();
      LoadFromFile(*g, path);
    } else {
      MakePhoto(*g, 6000, 4000);
    }
    return g;
  }();
  return *photo;
}

void Editing(TPixelGraphic& g) {
  g.OnPixelGraphicProgress = [](TPixelGraphic&, int, int, bool&) {};
}

// A colour filter in place on a fresh copy of the photo each run (the copy is not timed).
void InPlace(benchmark::State& state, TPGFilter& filter) {
  TPixelGraphic work;
  Editing(work);
  TPGFilterOptions options;
  options.Threads = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    work.Assign(&Photo());
    state.ResumeTiming();
    ApplyFilter(work, filter, work, options);
    benchmark::DoNotOptimize(work.Bits());
  }
}

// A convolution filter into a new picture each run.
void IntoNew(benchmark::State& state, TPGFilter& filter) {
  TPGFilterOptions options;
  options.Threads = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TPixelGraphic dst;
    Editing(dst);
    ApplyFilter(dst, filter, Photo(), options);
    benchmark::DoNotOptimize(dst.Bits());
  }
}

void BM_GrayScale(benchmark::State& state) {
  TGrayScaleFilter f;
  InPlace(state, f);
}

void BM_BCG(benchmark::State& state) {
  TBCGFilter f;
  ConfigureBCGFilter(f, 20, PositionOfFactor(1.5), PositionOfFactor(1.2), false);
  InPlace(state, f);
}

void BM_HSV(benchmark::State& state) {
  THSVFilter f;
  ConfigureHueFilter(f, 30, 20, 10);
  InPlace(state, f);
}

void BM_Sharpen(benchmark::State& state) {
  TConvFilter f;
  f.BuildSharpen(dsGaussian, true, 50, 0.75);  // the dialog's defaults
  IntoNew(state, f);
}

void BM_Smooth(benchmark::State& state) {
  TConvFilter f;
  f.BuildSmooth(dsGaussian, true, 100, 1.30);
  IntoNew(state, f);
}

void BM_Blur(benchmark::State& state) {
  TConvFilter f;
  f.BuildBlur(100, 2.5);
  IntoNew(state, f);
}

#define FILTER_BENCH(name) \
  BENCHMARK(name)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0)

FILTER_BENCH(BM_GrayScale);
FILTER_BENCH(BM_BCG);
FILTER_BENCH(BM_HSV);
FILTER_BENCH(BM_Sharpen);
FILTER_BENCH(BM_Smooth);
FILTER_BENCH(BM_Blur);

}  // namespace

BENCHMARK_MAIN();
