// Where the logical screen of an animation goes inside the control.
#pragma once

#include "view/GIFTypes.h"

struct TGIFPlacementModes {
  bool Stretch = false;
  bool StretchRatio = false;
  bool Tile = false;
  bool Center = false;
};

// True when the picture is stretched: Stretch or StretchRatio, and the control's size differs
// from the picture's.
bool GIFStretching(int controlWidth, int controlHeight, int width, int height,
                   const TGIFPlacementModes& modes);
// True when copies of the picture are tiled over the control from its top-left corner.
bool GIFTiling(int controlWidth, int controlHeight, int width, int height,
               const TGIFPlacementModes& modes);
// The rectangle the picture is drawn into (the first tile when tiling).
TGIFRect GIFPlacement(int controlWidth, int controlHeight, int width, int height,
                      const TGIFPlacementModes& modes);
