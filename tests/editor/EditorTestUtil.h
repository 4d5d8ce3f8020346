// Fixture pictures and a plain document holder for the editor's tests.
#pragma once

#include <memory>

#include "editor/core/PictureEditor.h"
#include "imaging/PGraphic.h"

// A 24-bit picture whose every pixel has a distinct colour made from its position.
inline std::unique_ptr<TPixelGraphic> PositionPicture(int w, int h) {
  auto g = std::make_unique<TPixelGraphic>();
  g->SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g->SetPixel(x, y, RGBColor(x & 0xFF, y & 0xFF, (x * 7 + y) & 0xFF));
  return g;
}

// An 8-bit picture with a 256-entry palette of distinct colours and index (x + 3y) mod 256.
inline std::unique_ptr<TPixelGraphic> IndexedPicture(int w, int h) {
  auto g = std::make_unique<TPixelGraphic>();
  g->SetSize(w, h, pf8Bit);
  g->SetPaletteCount(256);
  for (int i = 0; i < 256; ++i) g->SetPaletteColor(i, RGBColor(i, 255 - i, (i * 37) & 0xFF));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g->SetPixel(x, y, static_cast<TRGB>((x + 3 * y) % 256));
  return g;
}

inline bool SamePixels(const TPixelGraphic& a, const TPixelGraphic& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat())
    return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

// The document as a view would hold it.
class TPlainTarget : public TEditTarget {
 public:
  TPixelGraphic* Picture() override { return FPicture.get(); }
  void Take(std::unique_ptr<TPixelGraphic> picture) override {
    FPicture = std::move(picture);
    ++Takes;
  }
  std::unique_ptr<TPixelGraphic> FPicture;
  int Takes = 0;
};
