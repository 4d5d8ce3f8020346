// Targa pixels beyond plain colour: 15 and 16-bit colours widened by bit replication, the
// alpha of 32-bit pixels, the attribute bit of 16-bit pixels and grey with alpha.
#pragma once

#include <cstdint>

#include "imaging/PGTypes.h"

// A 5-5-5 value (red from bit 10) with each channel widened to 8 bits by bit replication.
TRGB TGAColor16(std::uint32_t v);

// Grey with alpha: image type 3 (or 11) with 16-bit pixels of a grey byte and an alpha byte.
bool IsTGAGreyAlpha(int imageType, int depth);

// Whether the pixels carry alpha: the descriptor's attribute bits (its low 4) state it for
// 32-bit pixels (8 bits), 16-bit pixels (the top bit) and grey with alpha.
bool TGAHasAlpha(int imageType, int depth, int descriptor);

// The alpha of one pixel of `depth` bits (bytes in file order): the second byte of grey with
// alpha, the fourth of 32-bit pixels, the attribute bit of 16-bit colours (0 or 255).
std::uint8_t TGAPixelAlpha(const std::uint8_t* pixel, int depth, bool greyAlpha);
