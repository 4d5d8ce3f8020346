// The touches a contact sheet puts on its thumbnails and its background.
#pragma once

#include "imaging/PGraphic.h"
#include "thumbs/core/SheetLayout.h"

// Replaces the thumbnail by its sharpened self (tent kernel, factor P percent, deviation 0.75).
void SharpenThumb(TPixelGraphic& thumb, int factor);
// A 1-pixel frame of the colour inside the thumbnail's edges.
void FrameThumb(TPixelGraphic& thumb, TRGB color);
// The shadow of a thumbnail of the given size at (x, y): 6 pixels deep, offset 6, each
// channel v becoming (v div 12) x e + (v div 2) at distance e (0..5) from the thumbnail.
void DrawThumbShadow(TPixelGraphic& sheet, int x, int y, TThumbSize thumb);
// Covers the sheet with copies of the tile from the top-left corner.
void TileSheet(TPixelGraphic& sheet, const TPixelGraphic& tile);
