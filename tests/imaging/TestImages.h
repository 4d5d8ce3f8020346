// Synthetic pictures for the imaging tests.
#pragma once

#include <cmath>
#include <cstdint>

#include "imaging/PGraphic.h"

// A smooth photo-like 24-bit picture: gradients with soft waves.
inline void MakePhotoLike(TPixelGraphic& g, int w, int h) {
  g.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int r = static_cast<int>(127.5 + 127.5 * std::sin(x * 0.05 + y * 0.01));
      const int gr = (x * 255) / std::max(1, w - 1);
      const int b = static_cast<int>(127.5 + 127.5 * std::cos(y * 0.07));
      g.SetPixel(x, y, RGBColor(r, gr, b));
    }
}

inline void FillConstant(TPixelGraphic& g, TRGB color) {
  for (int y = 0; y < g.Height(); ++y)
    for (int x = 0; x < g.Width(); ++x) g.SetPixelColor(x, y, color);
}

// Mean absolute channel difference of two pictures of the same size.
inline double MeanColorError(const TPixelGraphic& a, const TPixelGraphic& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TRGB p = a.PixelColor(x, y), q = b.PixelColor(x, y);
      sum += std::abs(RedOf(p) - RedOf(q)) + std::abs(GreenOf(p) - GreenOf(q)) +
             std::abs(BlueOf(p) - BlueOf(q));
    }
  return sum / (3.0 * a.Width() * a.Height());
}

// Mean of the channel means over blocks of `block` x `block` pixels, compared block by block:
// what the eye sees of a dithered picture.
inline double BlockMeanError(const TPixelGraphic& a, const TPixelGraphic& b, int block) {
  double worst = 0, sum = 0;
  int blocks = 0;
  for (int by = 0; by + block <= a.Height(); by += block)
    for (int bx = 0; bx + block <= a.Width(); bx += block) {
      double d = 0;
      for (int c = 0; c < 3; ++c) {
        double ma = 0, mb = 0;
        for (int y = by; y < by + block; ++y)
          for (int x = bx; x < bx + block; ++x) {
            ma += (a.PixelColor(x, y) >> (8 * c)) & 0xFF;
            mb += (b.PixelColor(x, y) >> (8 * c)) & 0xFF;
          }
        d += std::abs(ma - mb) / (block * block);
      }
      worst = std::max(worst, d / 3);
      sum += d / 3;
      ++blocks;
    }
  (void)worst;
  return blocks ? sum / blocks : 0;
}
