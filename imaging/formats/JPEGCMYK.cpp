#include "imaging/formats/JPEGCMYK.h"

namespace {

// a x b / 255, rounded to nearest.
std::uint8_t Product255(unsigned a, unsigned b) {
  const unsigned t = a * b + 128;
  return static_cast<std::uint8_t>((t + (t >> 8)) >> 8);
}

}  // namespace

void ConvertJPEGCMYKRow(const std::uint8_t* cmyk, std::uint8_t* bgr, int width, bool inverted) {
  for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const unsigned flip = inverted ? 0 : 255;
    const unsigned k = cmyk[3] ^ flip;
    bgr[0] = Product255(cmyk[2] ^ flip, k);
    bgr[1] = Product255(cmyk[1] ^ flip, k);
    bgr[2] = Product255(cmyk[0] ^ flip, k);
  }
}
