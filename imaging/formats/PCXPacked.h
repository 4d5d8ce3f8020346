// Paintbrush files with one plane of 2 or 4 bits per pixel (CGA and EGA single-plane layouts).
#pragma once

#include <cstdint>

#include "imaging/PGraphic.h"

// True for the single-plane layouts of 2 and 4 bits per pixel.
bool IsPCXPackedLayout(int bitsPerPlane, int planes);

// The palette of such a file: the header's map, or for version 3 (no palette) the system
// colours (4 bits) or the default CGA colours black, cyan, magenta, white (2 bits).
void SetPCXPackedPalette(TPixelGraphic& image, int version, int bits, const std::uint8_t* map);

// Unpacks one decoded scan line (pixels most significant bits first) into 4-bit row y.
void ConvertPCXPackedLine(TPixelGraphic& image, int y, const std::uint8_t* line, int bits);
