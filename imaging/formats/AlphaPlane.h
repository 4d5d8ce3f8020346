// The alpha values of a picture read into an image without alpha, blended onto a background
// colour once every pixel is there.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/PGraphic.h"

class TPGAlphaPlane {
 public:
  TPGAlphaPlane(int width, int height);
  void Set(int x, int y, std::uint8_t alpha) {
    FAlpha[static_cast<std::size_t>(y) * FWidth + static_cast<std::size_t>(x)] = alpha;
  }
  // Blends every pixel of `image` (24-bit, or 8-bit grey levels) with its alpha onto
  // `background` (for grey levels its grey (R + G + B) div 3), as the PNG reader does. When
  // every alpha is 0 the data never set its alpha: the image stays opaque.
  void Composite(TPixelGraphic& image, TRGB background) const;

 private:
  std::size_t FWidth;
  std::vector<std::uint8_t> FAlpha;
};
