// Icon entries of 24 and 32 bits, and the colour-table and size rules of bitmap entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/PGTypes.h"

// True-colour entries may be 1 to 256 pixels on each side.
bool ICOTrueColorSidesFit(int width, int height);

// Colour-table entries of a palette entry: the header's colours used when it is below 2 to
// the bit count and not 0 (icon writers leave the directory's colour count at 0), else 2 to
// the bit count; none for true colour.
std::size_t ICOPaletteSize(int bits, std::uint32_t headerColors);

// Palette entries need exactly `expected` bytes; true-colour entries at least the header and
// their colour bitmap (`colorBytes`), the mask may be cut or missing.
bool ICOByteCountFits(std::uint32_t byteCount, std::size_t expected, std::size_t colorBytes,
                      bool trueColor);

// Whether any fourth byte of 32-bit pixel rows is not 0.
bool ICOBitmapHasAlpha(const std::vector<std::uint8_t>& bitmap);

// Pixel x of a stored 24 or 32-bit row (blue, green, red[, alpha]).
TRGB ICOTrueColorPixel(const std::uint8_t* row, int x, int bits);
