// Benchmarks of the image model on a 6000x4000 photo-like picture.
//
// bench/compare_pillow.py runs these beside Pillow doing the comparable work and prints the
// ratios (our time over Pillow's).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "imaging/PGraphic.h"

namespace {

// The same picture bench/compare_pillow.py builds: smooth waves plus a little noise.
void MakePhoto(TPixelGraphic& g, int w, int h) {
  g.SetSize(w, h, pf24Bit);
  std::uint32_t seed = 12345;
  for (int y = 0; y < h; ++y) {
    std::uint8_t* p = g.ScanLine(y);
    for (int x = 0; x < w; ++x, p += 3) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = static_cast<int>((seed >> 24) & 15) - 8;
      auto clamp = [](int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
      const int r = (x * 255) / w;
      const int gr = (y * 255) / h;
      const int b = ((x + y) * 255) / (w + h);
      const int wave = ((x / 7 + y / 5) % 64) - 32;
      p[2] = clamp(r + wave + noise);
      p[1] = clamp(gr - wave / 2 + noise);
      p[0] = clamp(b + wave / 3 + noise);
    }
  }
}

const TPixelGraphic& Photo() {
  static const std::unique_ptr<TPixelGraphic> photo = [] {
    auto g = std::make_unique<TPixelGraphic>();
    MakePhoto(*g, 6000, 4000);
    return g;
  }();
  return *photo;
}

// Each run makes its target anew, as the tools compared with do.
void StretchInto(benchmark::State& state, int w, int h) {
  const TPixelGraphic& src = Photo();
  for (auto _ : state) {
    TPixelGraphic dst;
    dst.SetSize(w, h, pf24Bit);
    dst.StretchMode = static_cast<TStretchMode>(state.range(0));
    dst.CopyFrom(src);
    benchmark::DoNotOptimize(dst.Bits());
  }
}

void BM_StretchReduce(benchmark::State& state) { StretchInto(state, 1920, 1280); }
BENCHMARK(BM_StretchReduce)->Arg(smFast)->Arg(smMedium)->Arg(smPrecise)->Unit(benchmark::kMillisecond);

void BM_StretchEnlarge(benchmark::State& state) { StretchInto(state, 15000, 10000); }
BENCHMARK(BM_StretchEnlarge)->Arg(smFast)->Arg(smMedium)->Arg(smPrecise)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Optimized252Dithered(benchmark::State& state) {
  const TPixelGraphic& src = Photo();
  for (auto _ : state) {
    TPixelGraphic dst;
    dst.SetSize(src.Width(), src.Height(), pf8Bit);
    MakeOptimizedPalette(dst, src, 252, true);
    dst.CopyFrom(src);
    benchmark::DoNotOptimize(dst.Bits());
  }
}
BENCHMARK(BM_Optimized252Dithered)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Rotate30(benchmark::State& state) {
  const TPixelGraphic& src = Photo();
  for (auto _ : state) {
    TPixelGraphic dst;
    dst.Rotate(true, src, 30);
    benchmark::DoNotOptimize(dst.Bits());
  }
}
BENCHMARK(BM_Rotate30)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
