// GIF decode and WriteGIFFile encode of a 1920x1200 8-bit picture, in memory (Google
// Benchmark), and the same as whole processes for bench/compare_gif.py:
//   bench_gif --encode IN.bmp OUT.gif    load a picture and write it with WriteGIFFile
//   bench_gif --decode IN.gif OUT.bmp    load a GIF and write it as BMP
//   bench_gif --make OUT.bmp             write the 8-bit test picture
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <vector>

#include "imaging/formats/ExtraReaders.h"
#include "imaging/formats/GIFWriter.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1200;

void Start() {
  InitFormatLibrary();
  RegisterGIFAndIconReaders();
}

// A photograph-like 8-bit picture: smooth gradients with a little noise over 256 colours.
const TPixelGraphic& Picture() {
  static TPixelGraphic* picture = [] {
    Start();
    auto* image = new TPixelGraphic;
    image->SetSize(kWidth, kHeight, pf8Bit);
    image->SetPaletteCount(256);
    for (int i = 0; i < 256; ++i)
      image->SetPaletteColor(i, RGBColor(i, (i * 5) & 0xFF, 255 - i));
    std::uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y) {
      std::uint8_t* row = image->ScanLine(y);
      for (int x = 0; x < kWidth; ++x) {
        seed = seed * 1664525u + 1013904223u;
        const int noise = (seed >> 30) == 0 ? static_cast<int>(seed >> 26 & 7) - 3 : 0;
        row[x] = static_cast<std::uint8_t>(std::clamp((x / 8 + y / 5) % 256 + noise, 0, 255));
      }
    }
    return image;
  }();
  return *picture;
}

const std::vector<std::uint8_t>& EncodedPicture() {
  static const std::vector<std::uint8_t> bytes = [] {
    std::vector<std::uint8_t> out;
    EncodeGIF(Picture(), false, 0, false, out);
    return out;
  }();
  return bytes;
}

void BM_GIFDecode(benchmark::State& state) {
  const std::vector<std::uint8_t>& gif = EncodedPicture();
  for (auto _ : state) {
    TPixelGraphic image;
    TPGMemoryStream stream(gif);
    LoadFromStreamExt(image, stream, "gif", 0);
    benchmark::DoNotOptimize(image.Bits());
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t{kWidth} * kHeight);
  state.counters["gif_bytes"] = static_cast<double>(gif.size());
}
BENCHMARK(BM_GIFDecode)->Unit(benchmark::kMillisecond);

void BM_GIFEncode(benchmark::State& state) {
  const TPixelGraphic& picture = Picture();
  for (auto _ : state) {
    std::vector<std::uint8_t> out;
    EncodeGIF(picture, state.range(0) != 0, 0, false, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t{kWidth} * kHeight);
}
BENCHMARK(BM_GIFEncode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int Tool(int argc, char** argv) {
  Start();
  try {
    const std::string mode = argv[1];
    if (mode == "--make" && argc == 3) {
      TPixelGraphic copy;
      copy.Assign(&Picture());
      SaveToFile(copy, argv[2]);
      return 0;
    }
    if (argc != 4) return 2;
    TPixelGraphic image;
    LoadFromFile(image, argv[2]);
    if (mode == "--encode") return WriteGIFFile(argv[3], image, false, 0, false) ? 0 : 1;
    if (mode == "--decode") {
      SaveToFile(image, argv[3]);
      return 0;
    }
  } catch (const std::exception& e) {
    std::cerr << "bench_gif: " << e.what() << "\n";
    return 1;
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && (std::strcmp(argv[1], "--encode") == 0 || std::strcmp(argv[1], "--decode") == 0 ||
                    std::strcmp(argv[1], "--make") == 0))
    return Tool(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
