#include "view/GIFPlacement.h"

#include <cmath>

bool GIFStretching(int controlWidth, int controlHeight, int width, int height,
                   const TGIFPlacementModes& modes) {
  return (modes.Stretch || modes.StretchRatio) &&
         (controlWidth != width || controlHeight != height);
}

bool GIFTiling(int controlWidth, int controlHeight, int width, int height,
               const TGIFPlacementModes& modes) {
  return !GIFStretching(controlWidth, controlHeight, width, height, modes) && modes.Tile;
}

TGIFRect GIFPlacement(int controlWidth, int controlHeight, int width, int height,
                      const TGIFPlacementModes& modes) {
  if (GIFStretching(controlWidth, controlHeight, width, height, modes)) {
    if (modes.Stretch || width <= 0 || height <= 0)
      return {0, 0, controlWidth, controlHeight};
    const float a = float(controlWidth) / float(width);
    const float b = float(controlHeight) / float(height);
    if (a > b) {  // full height, margins left and right (halves round to even)
      const int margin = static_cast<int>(std::lrint((float(controlWidth) - float(width) * b) / 2));
      return {margin, 0, controlWidth - 2 * margin, controlHeight};
    }
    const int margin = static_cast<int>(std::lrint((float(controlHeight) - float(height) * a) / 2));
    return {0, margin, controlWidth, controlHeight - 2 * margin};
  }
  if (modes.Tile) return {0, 0, width, height};
  if (modes.Center)  // division truncates toward zero, also for negative offsets
    return {(controlWidth - width) / 2, (controlHeight - height) / 2, width, height};
  return {0, 0, width, height};
}
