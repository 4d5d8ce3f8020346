#include "imaging/formats/ICOTrueColor.h"

bool ICOTrueColorSidesFit(int width, int height) {
  return width >= 1 && width <= 256 && height >= 1 && height <= 256;
}

std::size_t ICOPaletteSize(int bits, std::uint32_t headerColors) {
  if (bits > 8) return 0;
  const std::size_t full = std::size_t{1} << bits;
  return headerColors != 0 && headerColors < full ? headerColors : full;
}

bool ICOByteCountFits(std::uint32_t byteCount, std::size_t expected, std::size_t colorBytes,
                      bool trueColor) {
  if (!trueColor) return byteCount == expected;
  return byteCount >= 40 + colorBytes;
}

bool ICOBitmapHasAlpha(const std::vector<std::uint8_t>& bitmap) {
  for (std::size_t i = 3; i < bitmap.size(); i += 4)
    if (bitmap[i] != 0) return true;
  return false;
}

TRGB ICOTrueColorPixel(const std::uint8_t* row, int x, int bits) {
  const std::uint8_t* p = row + static_cast<std::size_t>(x) * static_cast<std::size_t>(bits / 8);
  return RGBColor(p[2], p[1], p[0]);
}
