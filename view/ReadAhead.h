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
};
std::unique_ptr<TPixelGraphic> ReadAhead(const std::string& path, std::size_t maxBytes,
                                         const std::atomic<bool>& stop, TRGB background = 0,
                                         TDisplayAdjustments adjust = {});

// Applies the adjustments to a picture read from `path` (the file is only read). True when the
// picture changed.
bool AdjustForDisplay(TPixelGraphic& picture, const std::string& path, TDisplayAdjustments adjust);
