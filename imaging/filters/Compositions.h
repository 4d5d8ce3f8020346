// Editor effects composed of the filters and the image model: the bevel, pencil drawing and
// posterize.
#pragma once

#include "imaging/PGraphic.h"
#include "imaging/filters/ApplyFilter.h"

// Lightens the top and left edges and darkens the bottom and right edges of a 24-bit image,
// in place, over a band `depth` pixels wide. The depth is limited to half the picture's
// width and height (rounded up). Raises EPixelGraphic ("Invalid color resolution") for
// images that are not 24-bit.
void ApplyBevel(TPixelGraphic& image, int depth);
// The editor's depth: 3 % of the width, truncated.
int DefaultBevelDepth(int width);

// Contour lines on a white background turned grey: the contour kernel (rectangular,
// distance-weighted, strength 792 %, deviation 1.16) into a 24-bit destination, then the
// greyscale filter in place. The destination may be the source.
void PencilDrawing(TPixelGraphic& destination, const TPixelGraphic& source,
                   const TPGFilterOptions& options = {});

// The picture in 8 colours chosen for it: the destination becomes a 4-bit image with
// dithering and RGB weighting off and an optimised 8-colour palette, and the picture is copied
// into it. The destination may be the source.
void Posterize(TPixelGraphic& destination, const TPixelGraphic& source);
