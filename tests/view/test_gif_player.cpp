// Playback: frame intervals and Speed, loop counts, Loop, Animate and CurrentFrame.
#include <gtest/gtest.h>

#include "tests/view/GIFBuilder.h"
#include "view/GIFPlacement.h"
#include "view/GIFPlayer.h"

using namespace giftest;

namespace {

constexpr std::uint32_t Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF;

TGIFAnimation Anim(int frames, int loopCount, std::vector<int> delays = {}) {
  File f;
  f.Width = 2;
  f.Height = 2;
  f.GlobalPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  f.LoopCount = loopCount;
  for (int i = 0; i < frames; ++i) {
    Frame fr = Solid(0, 0, 2, 2, std::uint8_t(1 + i % 3));
    fr.Delay = i < int(delays.size()) ? delays[i] : 0;
    f.Frames.push_back(fr);
  }
  const Bytes data = Build(f);
  TGIFAnimation anim;
  EXPECT_TRUE(GIFParse(data.data(), data.size(), {}, anim).Ok());
  return anim;
}

void Start(TGIFPlayer& p, TGIFAnimation anim) {
  p.Load(std::move(anim));
  p.DrawFirstFrame();
  p.SetAnimate(true);
}

// One timer tick; answers whether the animation wrapped.
bool Tick(TGIFPlayer& p) {
  if (!p.BeginTick()) return false;
  return p.FinishTick().Wrapped;
}

// Ticks while the timer runs (bounded); answers the passes completed.
int RunOut(TGIFPlayer& p, int maxTicks = 1000) {
  int wraps = 0;
  for (int i = 0; i < maxTicks && p.TimerEnabled(); ++i) wraps += Tick(p);
  return wraps;
}

}  // namespace

TEST(GIFPlayer, IntervalsFollowDelaysAndSpeed) {
  TGIFPlayer p;
  p.Load(Anim(3, 0, {0, 10, 100}));
  EXPECT_EQ(p.Interval(), 1) << "the first tick comes at once after a load";
  EXPECT_EQ(p.IntervalFor(1), 50) << "a delay of 0 shows for 50 ms";
  EXPECT_EQ(p.IntervalFor(2), 100) << "a delay field of 10 is 100 ms";
  EXPECT_EQ(p.IntervalFor(3), 1000);
  p.SetSpeed(200);
  EXPECT_EQ(p.IntervalFor(3), 500);
  p.SetSpeed(0);
  EXPECT_EQ(p.Speed(), 1);
  EXPECT_EQ(p.IntervalFor(3), 100000);
}

TEST(GIFPlayer, TicksStepThroughTheFrames) {
  TGIFPlayer p;
  Start(p, Anim(3, 0, {5, 20, 30}));
  EXPECT_EQ(p.Composer().PixelAt(0, 0), Red);
  Tick(p);  // the first tick after a load only starts the clock
  EXPECT_EQ(p.Composer().PixelAt(0, 0), Red);
  EXPECT_EQ(p.Interval(), 50);
  EXPECT_EQ(p.CurrentFrame(), 2);
  Tick(p);
  EXPECT_EQ(p.Composer().PixelAt(0, 0), Green);
  EXPECT_EQ(p.Interval(), 200);
  EXPECT_TRUE(Tick(p));
  EXPECT_EQ(p.Composer().PixelAt(0, 0), Blue);
  EXPECT_EQ(p.CurrentFrame(), 1) << "loop count 0 wraps at once";
  EXPECT_FALSE(Tick(p));
  EXPECT_EQ(p.Composer().PixelAt(0, 0), Red);
}

TEST(GIFPlayer, LoopCountsStopTheAnimation) {
  {  // no loop extension: one pass
    TGIFPlayer p;
    Start(p, Anim(3, -1));
    EXPECT_EQ(p.Animation().LoopCount, 1);
    EXPECT_EQ(RunOut(p), 1);
    EXPECT_FALSE(p.ShouldRun());
    EXPECT_EQ(p.Composer().PixelAt(0, 0), Blue) << "the last frame stays";
  }
  {  // loop count 3: three passes
    TGIFPlayer p;
    Start(p, Anim(3, 3));
    EXPECT_EQ(RunOut(p), 3);
    EXPECT_FALSE(p.TimerEnabled());
  }
  {  // loop count 0: forever
    TGIFPlayer p;
    Start(p, Anim(2, 0));
    EXPECT_EQ(RunOut(p, 200), 100);
    EXPECT_TRUE(p.TimerEnabled());
  }
  {  // Loop overrides the count, and switching it on after the end restarts
    TGIFPlayer p;
    Start(p, Anim(2, 2));
    p.SetLoop(true);
    EXPECT_EQ(RunOut(p, 200), 100);
    p.SetLoop(false);
    RunOut(p);
    EXPECT_FALSE(p.TimerEnabled());
    p.SetLoop(true);
    EXPECT_TRUE(p.TimerEnabled());
    EXPECT_EQ(p.CurrentFrame(), 1);
    EXPECT_EQ(p.LoopsPlayed(), 1);
  }
}

TEST(GIFPlayer, AnimateOffReturnsToFrameOne) {
  {
    TGIFPlayer p;
    Start(p, Anim(3, 0));
    Tick(p);
    Tick(p);
    EXPECT_EQ(p.Composer().PixelAt(0, 0), Green);
    EXPECT_TRUE(p.SetAnimate(false));
    EXPECT_EQ(p.Composer().PixelAt(0, 0), Red);
  }
  // Also when the last frame shows and the frame number has already wrapped to 1.
  TGIFPlayer p;
  Start(p, Anim(3, 0));
  Tick(p);
  Tick(p);
  Tick(p);
  EXPECT_EQ(p.Composer().PixelAt(0, 0), Blue);
  EXPECT_TRUE(p.SetAnimate(false));
  EXPECT_EQ(p.CurrentFrame(), 1);
  EXPECT_EQ(p.Composer().PixelAt(0, 0), Red);
  EXPECT_FALSE(p.TimerEnabled());
  EXPECT_FALSE(p.BeginTick()) << "ticks do nothing while Animate is off";
}

TEST(GIFPlayer, CurrentFrameSetByHand) {
  TGIFPlayer p;
  p.Load(Anim(3, 0));
  p.DrawFirstFrame();
  EXPECT_FALSE(p.CanShowFrame(0));
  EXPECT_FALSE(p.CanShowFrame(4));
  EXPECT_FALSE(p.CanShowFrame(1)) << "unchanged";
  ASSERT_TRUE(p.CanShowFrame(3));
  p.ShowFrame(3);
  EXPECT_EQ(p.CurrentFrame(), 3);
  EXPECT_EQ(p.Composer().PixelAt(1, 1), Blue);
  p.ShowFrame(2);
  EXPECT_EQ(p.Composer().PixelAt(1, 1), Green);
}

TEST(GIFPlayer, SpeedOnARunningAnimationTicksAtOnce) {
  TGIFPlayer p;
  Start(p, Anim(2, 0, {100, 100}));
  Tick(p);
  EXPECT_EQ(p.Interval(), 1000);
  p.SetSpeed(50);
  EXPECT_EQ(p.Interval(), 1);
  Tick(p);
  EXPECT_EQ(p.Interval(), 2000);
}

TEST(GIFPlacement, ModesPlaceThePicture) {
  TGIFPlacementModes none;
  EXPECT_EQ(GIFPlacement(100, 50, 20, 10, none), (TGIFRect{0, 0, 20, 10}));
  TGIFPlacementModes center;
  center.Center = true;
  EXPECT_EQ(GIFPlacement(100, 50, 21, 11, center), (TGIFRect{39, 19, 21, 11}));
  EXPECT_EQ(GIFPlacement(10, 10, 21, 13, center), (TGIFRect{-5, -1, 21, 13}))
      << "offsets truncate toward zero";
  TGIFPlacementModes stretch;
  stretch.Stretch = true;
  stretch.StretchRatio = true;
  EXPECT_EQ(GIFPlacement(100, 50, 20, 10, stretch), (TGIFRect{0, 0, 100, 50}));
  TGIFPlacementModes ratio;
  ratio.StretchRatio = true;
  EXPECT_EQ(GIFPlacement(100, 50, 10, 10, ratio), (TGIFRect{25, 0, 50, 50}));
  EXPECT_EQ(GIFPlacement(50, 100, 10, 10, ratio), (TGIFRect{0, 25, 50, 50}));
  // (11 - 2 * 5) / 2 = 0.5 rounds to even: 0.
  EXPECT_EQ(GIFPlacement(11, 10, 2, 2, ratio), (TGIFRect{0, 0, 11, 10}));
  // (13 - 2 * 5) / 2 = 1.5 rounds to even: 2.
  EXPECT_EQ(GIFPlacement(13, 10, 2, 2, ratio), (TGIFRect{2, 0, 9, 10}));
  EXPECT_FALSE(GIFStretching(20, 10, 20, 10, ratio)) << "same size: no stretching";
  TGIFPlacementModes tile;
  tile.Tile = true;
  EXPECT_TRUE(GIFTiling(100, 50, 20, 10, tile));
  tile.Stretch = true;
  EXPECT_FALSE(GIFTiling(100, 50, 20, 10, tile)) << "stretching wins over tiling";
}
