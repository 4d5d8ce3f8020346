#include "imaging/formats/AlphaPlane.h"

#include <algorithm>

#include "imaging/formats/AlphaComposite.h"

TPGAlphaPlane::TPGAlphaPlane(int width, int height)
    : FWidth(static_cast<std::size_t>(std::max(width, 0))),
      FAlpha(FWidth * static_cast<std::size_t>(std::max(height, 0)), 255) {}

void TPGAlphaPlane::Composite(TPixelGraphic& image, TRGB background) const {
  if (std::all_of(FAlpha.begin(), FAlpha.end(), [](std::uint8_t a) { return a == 0; })) return;
  const bool grey = image.PixelFormat() == pf8Bit;
  const unsigned greyLevel =
      static_cast<unsigned>(RedOf(background) + GreenOf(background) + BlueOf(background)) / 3;
  const int width = image.Width();
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* row = image.ScanLine(y);
    const std::uint8_t* alpha = FAlpha.data() + static_cast<std::size_t>(y) * FWidth;
    for (int x = 0; x < width; ++x) {
      const unsigned a = alpha[x];
      if (a == 255) continue;
      if (grey) {
        row[x] = PGCompositeChannel(row[x], a, greyLevel);
      } else {
        std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
        PGCompositeBGR(p, p[2], p[1], p[0], a, background);
      }
    }
  }
}
