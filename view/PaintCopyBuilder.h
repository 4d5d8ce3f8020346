// Builds the display copy of a picture: the work of the view's background worker, free of any
// toolkit so that it can run on any thread and be tested directly.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "imaging/PGraphic.h"
#include "view/DisplayCopyRule.h"

struct TPaintCopySettings {
  TStretchMode StretchMode = smFast;
  bool Dither = true;
  std::uint8_t DitherErrorLimit = 32;
  bool DitherErrorLimitAuto = true;
  bool DitherErrorLimitSoft = true;
  bool RGBWeighting = true;
};

// Progress of the build: the step (1-based; each finished stage adds one) and its percent.
using TPaintCopyProgress = std::function<void(int step, int percent)>;

// Largest display copy in pixels; larger orders are made 1 x 1 like a failed allocation.
inline constexpr long long PaintCopyPixelBudget = 64LL * 1024 * 1024;

class TPaintCopyBuilder {
 public:
  TPaintCopyBuilder(const TPixelGraphic& source, const TDisplayCopyOrder& order,
                    const TPaintCopySettings& settings)
      : FSource(source), FOrder(order), FSettings(settings) {}

  // Runs the stages; returns the copy, or nothing when terminated. Progress is reported at
  // most once per 50 ms bucket and changed percent.
  std::unique_ptr<TPixelGraphic> Run(const std::atomic<bool>& terminate,
                                     const TPaintCopyProgress& progress);

 private:
  void Report(int step, int max, const std::atomic<bool>& terminate, bool& abort);

  const TPixelGraphic& FSource;
  TDisplayCopyOrder FOrder;
  TPaintCopySettings FSettings;
  TPaintCopyProgress FProgress;
  int FStepIndex = 1;
  int FLastPercent = 0;
  long long FLastBucket = -1;
};
