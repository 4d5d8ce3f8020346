#include "thumbs/core/SheetEffects.h"

#include "imaging/filters/ApplyFilter.h"
#include "imaging/filters/ConvFilter.h"

void SharpenThumb(TPixelGraphic& thumb, int factor) {
  TConvFilter sharpen;
  sharpen.BuildSharpen(dsTent, false, factor, 0.75);
  TPixelGraphic result;
  result.SetSize(thumb.Width(), thumb.Height(), pf24Bit);
  ApplyFilter(result, sharpen, thumb);
  thumb.Assign(&result);
}

void FrameThumb(TPixelGraphic& thumb, TRGB color) {
  const int w = thumb.Width(), h = thumb.Height();
  for (int x = 0; x < w; ++x) {
    thumb.SetPixelColor(x, 0, color);
    thumb.SetPixelColor(x, h - 1, color);
  }
  for (int y = 0; y < h; ++y) {
    thumb.SetPixelColor(0, y, color);
    thumb.SetPixelColor(w - 1, y, color);
  }
  thumb.Changed();
}

namespace {

void Darken(TPixelGraphic& sheet, int x, int y, int e) {
  if (!sheet.Contains(x, y)) return;
  std::uint8_t* p = sheet.ScanLine(y) + std::size_t(x) * 3;
  for (int i = 0; i < 3; ++i) p[i] = static_cast<std::uint8_t>(p[i] / 12 * e + p[i] / 2);
}

}  // namespace

void DrawThumbShadow(TPixelGraphic& sheet, int x, int y, TThumbSize thumb) {
  const int tw = thumb.Width, th = thumb.Height;
  for (int e = 0; e <= 5; ++e) {
    for (int i = x + 6; i <= x + tw + e; ++i) Darken(sheet, i, y + th + e, e);
    for (int j = y + 6; j <= y + th + e - 1; ++j) Darken(sheet, x + tw + e, j, e);
  }
  sheet.Changed();
}

void TileSheet(TPixelGraphic& sheet, const TPixelGraphic& tile) {
  const int w = tile.Width(), h = tile.Height();
  if (w < 1 || h < 1) return;
  TPGUpdateScope update(sheet);
  for (int y = 0; y < sheet.Height(); y += h)
    for (int x = 0; x < sheet.Width(); x += w) sheet.CopyRegion(x, y, tile, 0, 0, w, h);
  sheet.Changed();
}
