#include <cstring>

#include "imaging/formats/Orientation.h"

namespace {

// Mirrors the picture across its main diagonal: column x becomes row x.
void Transpose(TPixelGraphic& image) {
  const int w = image.Width(), h = image.Height();
  TPixelGraphic turned;
  turned.SetBackGroundColor(image.BackGroundColor());
  turned.SetSize(h, w, image.PixelFormat());
  turned.CopyPalette(image);
  const int bits = image.BitCount();
  if (bits >= 8) {
    const int bytes = bits / 8;
    for (int y = 0; y < w; ++y) {
      std::uint8_t* to = turned.ScanLine(y);
      const std::size_t from = static_cast<std::size_t>(y) * bytes;
      for (int x = 0; x < h; ++x) std::memcpy(to + x * bytes, image.ScanLine(x) + from, bytes);
    }
  } else {
    for (int y = 0; y < w; ++y)
      for (int x = 0; x < h; ++x) turned.SetPixel(x, y, image.Pixel(y, x));
  }
  image.Assign(&turned);
}

}  // namespace

void ApplyOrientation(TPixelGraphic& image, int orientation) {
  if (image.Empty()) return;
  switch (orientation) {
    case 2: image.FlipHorizontal(); break;
    case 3: image.FlipHorizontal(); image.FlipVertical(); break;
    case 4: image.FlipVertical(); break;
    case 5: Transpose(image); break;
    case 6: Transpose(image); image.FlipHorizontal(); break;
    case 7: Transpose(image); image.FlipHorizontal(); image.FlipVertical(); break;
    case 8: Transpose(image); image.FlipVertical(); break;
    default: break;
  }
}
