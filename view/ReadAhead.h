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
// `upright`: a picture with an orientation tag is turned to show upright.
std::unique_ptr<TPixelGraphic> ReadAhead(const std::string& path, std::size_t maxBytes,
                                         const std::atomic<bool>& stop, TRGB background = 0,
                                         bool upright = false);
