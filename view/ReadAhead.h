// Reading one picture ahead of the user, on a worker: the size is checked from the file's
// header before any pixel is read, and the stop flag ends the decoding between rows.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

#include "imaging/PGraphic.h"

// The bytes a picture of this size and depth holds once read (0 when unknown).
std::size_t ReadAheadBytes(int width, int height, int bitsPerPixel);

// Reads image 0 of `path`; null when the file cannot be read, when its pixels would take more
// than `maxBytes`, or when `stop` was set. Warnings are ignored, as in the browser's view.
// The picture is then made ready for the screen by AdjustForDisplay.
struct TDisplayAdjustments {
  bool Upright = false;  // a picture with an orientation tag is turned to show upright
  bool ToSRGB = false;   // an embedded colour profile is converted to sRGB
  // The box (device pixels) the picture is fitted into on the screen; a JPEG that shows at
  // less than half its size there is decoded at a reduced scale. 0 x 0: always in full.
  int FitWidth = 0;
  int FitHeight = 0;
};

// The size a decode of a `width` x `height` picture (as stored; `turned` when it shows a
// quarter turn round) must cover to fill what it shows of a fitWidth x fitHeight box: the
// picture's own size unless it shows at less than half its size.
struct TReducedSize {
  int Width = 0;
  int Height = 0;
  bool Reduced = false;
};
TReducedSize ReducedDecodeSize(int width, int height, bool turned, int fitWidth, int fitHeight);

// A picture read for the screen: at a reduced scale when `adjust` allows it (JPEG only), with
// the picture's true size, upright as shown.
struct TDisplayPicture {
  std::unique_ptr<TPixelGraphic> Picture;
  int TrueWidth = 0;
  int TrueHeight = 0;
  bool Reduced() const {
    return Picture && (Picture->Width() != TrueWidth || Picture->Height() != TrueHeight);
  }
};
// Reads `path` for the screen at a reduced scale, adjusted; an empty result when the file is
// not a JPEG that shows at less than half its size (read it in full then). Raises the reader's
// error for a corrupt file.
TDisplayPicture ReadReducedForDisplay(const std::string& path, TDisplayAdjustments adjust, TRGB background = 0);
std::unique_ptr<TPixelGraphic> ReadAhead(const std::string& path, std::size_t maxBytes,
                                         const std::atomic<bool>& stop, TRGB background = 0,
                                         TDisplayAdjustments adjust = {});
// The same with the picture's true size, reduced as ReadReducedForDisplay allows.
TDisplayPicture ReadAheadForDisplay(const std::string& path, std::size_t maxBytes,
                                    const std::atomic<bool>& stop, TRGB background = 0,
                                    TDisplayAdjustments adjust = {});

// Applies the adjustments to a picture read from `path` (the file is only read). True when the
// picture changed.
bool AdjustForDisplay(TPixelGraphic& picture, const std::string& path, TDisplayAdjustments adjust);
