// The converter's resize mode: resample to the displayed size in true colour, then
// optionally sharpen with the converter's kernel.
#pragma once

#include "imaging/PGraphic.h"

// Makes `result` a 24-bit picture of width x height (each at least 1) resampled from
// `source` with `mode`; with `sharpen`, the result of the tent sharpen kernel (70 %,
// deviation 0.75).
void ResizeForConversion(const TPixelGraphic& source, int width, int height, TStretchMode mode,
                         bool sharpen, TPixelGraphic& result);

// The size that fits `width` x `height` into a box of boxWidth x boxHeight keeping the aspect
// ratio; never below 1 x 1, never larger than the picture itself.
void FitSize(int width, int height, int boxWidth, int boxHeight, int& outWidth, int& outHeight);

// The size the converter's resize mode writes: the size at which the source pane draws the
// picture, or the picture's own size while the pane draws nothing (a hidden or collapsed pane
// reports 0).
void DisplayedSizeOrOwn(int displayWidth, int displayHeight, int width, int height,
                        int& outWidth, int& outHeight);
