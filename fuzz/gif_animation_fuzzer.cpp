// libFuzzer target for the animated GIF control's parser, LZW decoder, composer and player
// (no widget needed).
#include <cstddef>
#include <cstdint>

#include "view/GIFParser.h"
#include "view/GIFPlayer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TGIFParseOptions options;
  // Smaller bounds than the control's keep each run fast; the code paths are the same.
  options.Limits.MaxScreenArea = std::uint64_t{1} << 20;
  options.Limits.MaxTotalBytes = std::uint64_t{1} << 24;
  int calls = 0;
  options.Progress = [&calls](std::uint64_t pos, std::uint64_t total, int percent) {
    if (pos > total || percent < 0 || percent > 100) __builtin_trap();
    return ++calls < 100000;
  };
  TGIFAnimation animation;
  if (!GIFParse(data, size, options, animation).Ok()) return 0;

  TGIFPlayer player;
  const int frames = static_cast<int>(animation.Frames.size());
  player.Load(std::move(animation));
  player.DrawFirstFrame();
  player.SetAnimate(true);
  // Two passes through every frame, disposing each, then a few frames set by hand.
  for (int i = 0; i < 2 * frames + 2 && player.TimerEnabled(); ++i)
    if (player.BeginTick()) player.FinishTick();
  for (int f = frames; f >= 1; f -= 3)
    if (player.CanShowFrame(f)) player.ShowFrame(f);
  player.SetAnimate(false);
  volatile std::uint32_t sink = player.Composer().Empty() ? 0 : player.Composer().PixelAt(0, 0);
  (void)sink;
  return 0;
}
