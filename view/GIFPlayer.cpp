#include "view/GIFPlayer.h"

#include <algorithm>
#include <climits>

void TGIFPlayer::Load(TGIFAnimation&& animation) {
  FAnim = std::move(animation);
  FCurrent = 1;
  FShown = 0;
  FLoopsPlayed = 1;
  FFirstTick = true;
  // The canvas starts transparent: where no frame has drawn, what lies behind shows.
  FComposer.Reset(FAnim.LogicalWidth, FAnim.LogicalHeight, true);
  FInterval = 1;
}

void TGIFPlayer::DrawFirstFrame() {
  if (Loaded()) DrawFrame(1);
}

void TGIFPlayer::Clear() {
  FAnim = TGIFAnimation{};
  FComposer.Clear();
  FCurrent = 1;
  FShown = 0;
  FLoopsPlayed = 1;
  FFirstTick = true;
  FTimerEnabled = false;
}

bool TGIFPlayer::ShouldRun() const {
  return Loaded() && Animated() && FAnimate &&
         (FLoop || FAnim.LoopCount == 0 || FLoopsPlayed <= FAnim.LoopCount);
}

int TGIFPlayer::IntervalFor(int frame) const {
  if (!Loaded()) return 1;
  if (frame < 1 || frame > FrameCount()) frame = 1;
  const std::int64_t delay = std::max(FAnim.Frames[frame - 1].Delay, 50);
  const std::int64_t interval = std::max<std::int64_t>(delay * 100 / FSpeed, 1);
  return static_cast<int>(std::min<std::int64_t>(interval, INT_MAX));
}

void TGIFPlayer::DisposeShown() {
  if (FShown >= 1 && FShown <= FrameCount()) FComposer.Dispose(FAnim.Frames[FShown - 1]);
}

void TGIFPlayer::DrawFrame(int frame) {
  FComposer.Draw(FAnim.Frames[frame - 1]);
  FShown = frame;
}

bool TGIFPlayer::BeginTick() {
  if (!Loaded() || !FAnimate) return false;
  if (FCurrent < 1 || FCurrent > FrameCount()) FCurrent = 1;
  return true;
}

TGIFPlayer::TTickOutcome TGIFPlayer::FinishTick() {
  TTickOutcome outcome;
  if (FFirstTick) {
    FFirstTick = false;  // frame 1 was drawn by the load
  } else {
    DisposeShown();
    DrawFrame(FCurrent);
    outcome.Redraw = true;
  }
  FInterval = IntervalFor(FCurrent);
  ++FCurrent;
  if (FCurrent > FrameCount()) {
    outcome.Wrapped = true;
    if (!FLoop && FAnim.LoopCount > 0) {
      ++FLoopsPlayed;  // the frame number wraps to 1 on the next tick
      FTimerEnabled = FAnim.LoopCount >= FLoopsPlayed;
    } else {
      FCurrent = 1;
    }
  }
  return outcome;
}

bool TGIFPlayer::SetAnimate(bool value) {
  if (value == FAnimate) return false;
  FAnimate = value;
  FLoopsPlayed = 1;
  if (value && Animated()) FInterval = IntervalFor(FCurrent);
  FTimerEnabled = value && Loaded() && Animated();
  // Also when the frame number has wrapped to 1 while the last frame still shows.
  if (!value && Loaded() && (FCurrent >= 2 || FShown != 1)) {
    DisposeShown();
    FCurrent = 1;
    DrawFrame(1);
    return true;
  }
  return false;
}

void TGIFPlayer::SetLoop(bool value) {
  if (value == FLoop) return;
  FLoop = value;
  if (value && FAnim.LoopCount > 0 && FAnim.LoopCount < FLoopsPlayed) {
    FCurrent = 1;
    FLoopsPlayed = 1;
    FInterval = IntervalFor(1);
    FTimerEnabled = FAnimate && Animated();
  }
}

void TGIFPlayer::SetSpeed(int value) {
  value = std::max(value, 1);
  if (value == FSpeed) return;
  FSpeed = value;
  if (FTimerEnabled && FAnimate && Animated()) FInterval = 1;
}

bool TGIFPlayer::CanShowFrame(int frame) const {
  return frame != FCurrent && frame >= 1 && frame <= FrameCount();
}

void TGIFPlayer::ShowFrame(int frame) {
  DisposeShown();
  DrawFrame(frame);
  FCurrent = frame;
}
