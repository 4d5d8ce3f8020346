// Playback state of an animated GIF: which frame shows, the loops played, the frame timer's
// interval and whether it should run. Plain C++; the control raises its events around the
// calls and mirrors Interval/TimerEnabled into its timer.
#pragma once

#include <cstdint>

#include "view/GIFComposer.h"
#include "view/GIFParser.h"

class TGIFPlayer {
 public:
  struct TTickOutcome {
    bool Redraw = false;   // the composite changed
    bool Wrapped = false;  // the animation passed its last frame
  };

  // Takes the frames onto a fresh black canvas and asks for an immediate first tick; the
  // caller then draws frame 1 with DrawFirstFrame.
  void Load(TGIFAnimation&& animation);
  void DrawFirstFrame();
  void Clear();

  bool Loaded() const { return !FAnim.Frames.empty(); }
  bool Animated() const { return FAnim.Animated(); }
  int FrameCount() const { return static_cast<int>(FAnim.Frames.size()); }
  const TGIFAnimation& Animation() const { return FAnim; }
  const TGIFComposer& Composer() const { return FComposer; }

  int CurrentFrame() const { return FCurrent; }
  int ShownFrame() const { return FShown; }
  int LoopsPlayed() const { return FLoopsPlayed; }
  bool Animate() const { return FAnimate; }
  bool Loop() const { return FLoop; }
  int Speed() const { return FSpeed; }
  int Interval() const { return FInterval; }
  bool TimerEnabled() const { return FTimerEnabled; }
  // Whether the timer should run after a repaint: loaded, animated, Animate on and the
  // animation not run out.
  bool ShouldRun() const;
  // The timer interval for frame k (1-based): its delay, at least 50 ms, scaled by Speed.
  int IntervalFor(int frame) const;

  // The timer's tick, in two halves so that OnChanging can be raised in between. BeginTick
  // answers false when nothing happens (empty, or Animate off).
  bool BeginTick();
  TTickOutcome FinishTick();

  // Answers true when the composite changed.
  bool SetAnimate(bool value);
  void SetLoop(bool value);
  void SetSpeed(int value);
  // Answers false when the value is ignored (unchanged or outside 1..FrameCount).
  bool CanShowFrame(int frame) const;
  void ShowFrame(int frame);  // dispose what shows, draw `frame`; CanShowFrame must hold
  void SyncTimerToState() { FTimerEnabled = ShouldRun(); }

 private:
  void DisposeShown();
  void DrawFrame(int frame);

  TGIFAnimation FAnim;
  TGIFComposer FComposer;
  int FCurrent = 1;
  int FShown = 0;  // frame last drawn onto the canvas, 0 when none
  int FLoopsPlayed = 1;
  bool FFirstTick = true;
  bool FAnimate = false;
  bool FLoop = false;
  int FSpeed = 100;
  int FInterval = 1;
  bool FTimerEnabled = false;
};
