// Which copies of the picture a tiled paint draws, and how each is mirrored.
#pragma once

#include <vector>

#include "view/ViewTypes.h"

struct TTileRect {
  long long Left, Top, Right, Bottom;
};

struct TTile {
  int Row, Column;
  TTileRect Rect;
  bool MirrorH, MirrorV;
};

// Tiles around the picture rectangle r that touch the clip rectangle, row by row, columns
// left to right. Without tiling (or with a tile side below one pixel) only r itself.
std::vector<TTile> LayoutTiles(TTiling tiling, bool flipH, bool flipV, const TTileRect& r,
                               int clientWidth, int clientHeight, const TTileRect& clip);
