// ApplyFilter: runs a filter from a source image into a destination image, which may be the
// source itself ("in place") for point filters.
#pragma once

#include "imaging/PGraphic.h"
#include "imaging/filters/Filter.h"

struct TPGFilterOptions {
  // Threads for the pixel route into 24-bit images (and for computing the colours of palette
  // destinations); 0 chooses by picture size and cores. The result is the same for any count.
  int Threads = 0;
};

// Palette route: a point filter into a palette destination at least as deep as the source
// maps the palette only. Pixel route otherwise: every pixel from FilterPixel, rows top to
// bottom, columns in serpentine order, dithered into palette destinations whose Dither is on.
// The destination's progress event follows every row (Step = row, Max = Height - 1); Abort
// ends the run after that row and leaves the later rows as they were. One change
// notification ends the run.
// Raises EPGFilter when a non-point filter is given the destination as its source; the
// destination is then unchanged.
void ApplyFilter(TPixelGraphic& destination, TPGFilter& filter, const TPixelGraphic& source,
                 const TPGFilterOptions& options = {});
