#include "imaging/formats/TGAPixels.h"

#include "imaging/formats/AlphaComposite.h"
#include "imaging/formats/PGStream.h"

TRGB TGAColor16(std::uint32_t v) {
  return RGBColor(static_cast<int>(PGWidenBits((v >> 10) & 31, 5)),
                  static_cast<int>(PGWidenBits((v >> 5) & 31, 5)),
                  static_cast<int>(PGWidenBits(v & 31, 5)));
}

bool IsTGAGreyAlpha(int imageType, int depth) { return (imageType & 7) == 3 && depth == 16; }

bool TGAHasAlpha(int imageType, int depth, int descriptor) {
  if (IsTGAGreyAlpha(imageType, depth)) return true;
  const int attributeBits = descriptor & 15;
  return attributeBits > 0 && (depth == 32 || ((imageType & 7) == 2 && depth == 16));
}

std::uint8_t TGAPixelAlpha(const std::uint8_t* pixel, int depth, bool greyAlpha) {
  if (greyAlpha) return pixel[1];
  switch (depth) {
    case 16: return (pixel[1] & 0x80) ? 255 : 0;
    case 32: return pixel[3];
    default: return 255;
  }
}
