// The animated GIF control's loading and composition: a 100-frame 640x480 animation decoded
// (every frame through LZW) and composed frame by frame with disposal, and the memory held.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "tests/view/GIFBuilder.h"
#include "imaging/formats/GIFFormat.h"
#include "imaging/formats/PGStream.h"
#include "view/GIFParser.h"
#include "view/GIFPlayer.h"

namespace {

// 100 frames of 640x480 with a 256-colour table: a moving gradient with noise, every other
// frame transparent in part and restoring the background, so that both composition paths run.
const giftest::Bytes& Animation100() {
  static const giftest::Bytes data = [] {
    giftest::File file;
    file.Width = 640;
    file.Height = 480;
    file.LoopCount = 0;
    for (int i = 0; i < 256; ++i)
      file.GlobalPalette.push_back(std::uint32_t(i << 16 | (255 - i) << 8 | (i * 7 & 255)));
    std::uint32_t seed = 12345;
    for (int f = 0; f < 100; ++f) {
      giftest::Frame frame;
      frame.Width = 640;
      frame.Height = 480;
      frame.Delay = 4;
      frame.Disposal = f % 2 ? 2 : 1;
      frame.Transparent = f % 2 == 1;
      frame.TransparentIndex = 0;
      frame.Pixels.resize(640 * 480);
      for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
          seed = seed * 1103515245u + 12345u;
          const int base = (x + y + f * 5) / 4 % 256;
          frame.Pixels[std::size_t(y) * 640 + x] =
              std::uint8_t((seed >> 16) % 8 == 0 ? (seed >> 8) & 255 : base);
        }
      file.Frames.push_back(std::move(frame));
    }
    return giftest::Build(file);
  }();
  return data;
}

void BM_GIFControl_Load100Frames(benchmark::State& state) {
  const giftest::Bytes& data = Animation100();
  std::uint64_t frameBytes = 0;
  for (auto _ : state) {
    TGIFAnimation anim;
    const TGIFParseResult r = GIFParse(data.data(), data.size(), {}, anim);
    if (!r.Ok()) state.SkipWithError(r.Message.c_str());
    frameBytes = anim.FrameBytes() / anim.Frames.size();
    benchmark::DoNotOptimize(anim.Frames.back().Pixels.data());
  }
  state.counters["file_KiB"] = double(data.size()) / 1024;
  state.counters["held_per_frame_KiB"] = double(frameBytes) / 1024;
  state.counters["frames_per_s"] =
      benchmark::Counter(100, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_GIFControl_Load100Frames)->Unit(benchmark::kMillisecond);

void BM_GIFControl_LoadAndComposeEveryFrame(benchmark::State& state) {
  const giftest::Bytes& data = Animation100();
  std::uint64_t composite = 0;
  for (auto _ : state) {
    TGIFAnimation anim;
    GIFParse(data.data(), data.size(), {}, anim);
    TGIFPlayer player;
    player.Load(std::move(anim));
    player.DrawFirstFrame();
    for (int f = 2; f <= player.FrameCount(); ++f) player.ShowFrame(f);
    composite = player.Composer().BytesHeld();
    benchmark::DoNotOptimize(player.Composer().Pixels().data());
  }
  state.counters["composite_KiB"] = double(composite) / 1024;
}
BENCHMARK(BM_GIFControl_LoadAndComposeEveryFrame)->Unit(benchmark::kMillisecond);

void BM_GIFControl_ComposeEveryFrame(benchmark::State& state) {
  const giftest::Bytes& data = Animation100();
  TGIFAnimation anim;
  GIFParse(data.data(), data.size(), {}, anim);
  TGIFPlayer player;
  player.Load(std::move(anim));
  player.DrawFirstFrame();
  for (auto _ : state) {
    for (int f = 1; f <= player.FrameCount(); ++f)
      if (player.CanShowFrame(f)) player.ShowFrame(f);
    benchmark::DoNotOptimize(player.Composer().Pixels().data());
  }
  state.counters["frames_per_s"] =
      benchmark::Counter(100, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_GIFControl_ComposeEveryFrame)->Unit(benchmark::kMillisecond);

// The same 100 frames through the imaging core's still-image GIF reader, one picture per
// frame index (each read starts at the file's beginning, as a reader of one image does).
void BM_StillReader_Decode100Frames(benchmark::State& state) {
  const giftest::Bytes& data = Animation100();
  for (auto _ : state) {
    tGifFileFormatReader reader;
    for (int i = 0; i < 100; ++i) {
      TPGMemoryStream stream(data.data(), data.size());
      TPixelGraphic frame;
      reader.ReadFromStream(stream, frame, i, CaptureFormatContext());
      benchmark::DoNotOptimize(frame.Bits());
    }
  }
}
BENCHMARK(BM_StillReader_Decode100Frames)->Unit(benchmark::kMillisecond);

}  // namespace

// --write-sample=PATH writes the benchmark animation for whole-process comparisons
// (bench/compare_gif_pillow.py) and exits.
int main(int argc, char** argv) {
  const std::string flag = "--write-sample=";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind(flag, 0) != 0) continue;
    const giftest::Bytes& data = Animation100();
    std::FILE* f = std::fopen(arg.substr(flag.size()).c_str(), "wb");
    if (!f || std::fwrite(data.data(), 1, data.size(), f) != data.size()) return 1;
    return std::fclose(f) == 0 ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
