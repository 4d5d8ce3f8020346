#include <algorithm>

#include "imaging/filters/Compositions.h"

namespace {

inline void Scale(std::uint8_t* p, int numerator, int denominator) {
  for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(std::min(255, p[c] * numerator / denominator));
}

}  // namespace

int DefaultBevelDepth(int width) { return static_cast<int>(width * 0.03); }

void ApplyBevel(TPixelGraphic& image, int depth) {
  if (image.Empty()) return;
  if (image.PixelFormat() != pf24Bit) PGRaise(36);
  const int w = image.Width(), h = image.Height();
  // Deeper bands would reach past the opposite edge.
  depth = std::min({depth, (w + 1) / 2, (h + 1) / 2});
  auto pixel = [&](int x, int y) { return image.ScanLine(y) + static_cast<std::size_t>(x) * 3; };
  for (int i = 0; i < depth; ++i) {
    for (int x = i; x <= w - 1 - i; ++x) {
      Scale(pixel(x, i), 3, 2);          // x 1.5
      Scale(pixel(x, h - 1 - i), 3, 4);  // x 0.75
    }
    for (int y = i + 1; y <= h - 1 - i; ++y) {
      Scale(pixel(i, y), 5, 4);  // x 1.25
      if (y < h - i - 2) Scale(pixel(w - 1 - i, y), 85, 100);
    }
  }
  image.Changed();
}
