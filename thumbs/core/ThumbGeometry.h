// The sizes of thumbnails: how a picture of a given size fits a square of side S.
#pragma once

#include "imaging/formats/JPEGScaledLoad.h"

using TThumbSize = TScaledSize;

// The explorer's rule: a picture narrower and lower than S keeps its size (small pictures
// are never enlarged); otherwise the longer side becomes S and the other trunc(other / longer
// x S), never below 1 pixel (a 1000 x 2 strip still shows as a line). Computed exactly in
// 64-bit integers.
TThumbSize ExplorerThumbSize(int width, int height, int side);

// The sheet's rule: every picture is scaled so that its longer side is S, small pictures
// enlarged too; the other side is trunc(other / longer x S), at least 1 pixel.
TThumbSize SheetThumbSize(int width, int height, int side);
