// Pictures stored sideways or mirrored with an orientation tag (EXIF in JPEG files, tag 274
// in TIFF files): reading the tag and turning the pixels upright.
#pragma once

#include <string>

#include "imaging/PGraphic.h"

// The tag's values: 1 upright, 2 mirrored, 3 upside down, 4 flipped, 5 transposed, 6 turned
// a quarter anticlockwise (shown turned clockwise), 7 transversed, 8 turned a quarter
// clockwise (shown turned anticlockwise).
constexpr int kOrientationUpright = 1;

// The tag of a JPEG or TIFF file (recognised by its first bytes); 1 when the file has none,
// an invalid one, or is another kind of file. Never raises.
int ReadOrientation(const std::string& fileName);

// Turns and mirrors the picture so that it shows upright; nothing for 1 or invalid values.
void ApplyOrientation(TPixelGraphic& image, int orientation);
