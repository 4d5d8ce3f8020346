// Decode and encode throughput of the BMP, anymap and TGA formats on a 24-bit 1920x1200
// picture, in memory (MB/s of 24-bit pixel data).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1200;
constexpr double kPixelBytes = double(kWidth) * kHeight * 3;

// Smooth gradients with a little noise, like a photograph.
const TPixelGraphic& Picture() {
  static TPixelGraphic* picture = [] {
    FileFormatReaders();
    auto* image = new TPixelGraphic;
    image->SetSize(kWidth, kHeight, pf24Bit);
    std::uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y) {
      std::uint8_t* row = image->ScanLine(y);
      for (int x = 0; x < kWidth; ++x) {
        seed = seed * 1664525u + 1013904223u;
        const int noise = static_cast<int>(seed >> 28) - 8;
        row[3 * x] = static_cast<std::uint8_t>(std::clamp(x * 255 / kWidth + noise, 0, 255));
        row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(y * 255 / kHeight + noise, 0, 255));
        row[3 * x + 2] = static_cast<std::uint8_t>(std::clamp((x + y) % 256 + noise, 0, 255));
      }
    }
    return image;
  }();
  return *picture;
}

std::vector<std::uint8_t> Encoded(const char* ext) {
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.PXMWriteBinary = true; });
  TPixelGraphic copy;
  copy.Assign(&Picture());
  TPGMemoryStream stream;
  SaveToStreamAs(copy, stream, ext);
  return stream.Data();
}

void Decode(benchmark::State& state, const char* ext) {
  const std::vector<std::uint8_t> data = Encoded(ext);
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.GammaCorrectionOnRead = false; });
  for (auto _ : state) {
    TPGMemoryStream stream(data);
    TPixelGraphic image;
    LoadFromStreamExt(image, stream, ext, 0);
    benchmark::DoNotOptimize(image.Bits());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kPixelBytes));
}

void Encode(benchmark::State& state, const char* ext) {
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.PXMWriteBinary = true; });
  TPixelGraphic image;
  image.Assign(&Picture());
  for (auto _ : state) {
    TPGMemoryStream stream;
    SaveToStreamAs(image, stream, ext);
    benchmark::DoNotOptimize(stream.Data().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kPixelBytes));
}

BENCHMARK_CAPTURE(Decode, bmp, "bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, ppm, "ppm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, tga, "tga")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, bmp, "bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, ppm, "ppm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, tga, "tga")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
