// The crop rectangle: the selection intersected with the picture.
#pragma once

#include <memory>

#include "imaging/PGraphic.h"

struct TEditRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool IsEmpty() const { return Width <= 0 || Height <= 0; }
};

// The part of `selection` that lies on a width x height picture; empty when they do not meet.
// Selections may have been dragged past any edge, so the arithmetic is done in 64 bits.
TEditRect IntersectWithPicture(const TEditRect& selection, int width, int height);

// A new picture of the area's size and the source's pixel format (and palette) holding the
// raw stored values of the area. The area must lie on the source.
std::unique_ptr<TPixelGraphic> CropPicture(const TPixelGraphic& source, const TEditRect& area);
