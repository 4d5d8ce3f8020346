#include "thumbs/core/Placeholder.h"

namespace {

// The glyph on a 10 x 10 grid; each cell becomes 8 x 8 pixels.
const char* const kGlyph[10] = {
    "..........",  //
    "...####...",  //
    "..##..##..",  //
    "......##..",  //
    ".....##...",  //
    "....##....",  //
    "....##....",  //
    "..........",  //
    "....##....",  //
    "..........",  //
};

}  // namespace

void LoadPlaceholder(TPixelGraphic& picture) {
  TPGUpdateScope update(picture);
  picture.SetSize(80, 80, pf8Bit);
  picture.SetPaletteCount(3);
  picture.SetPaletteColor(0, RGBColor(192, 192, 192));  // face
  picture.SetPaletteColor(1, RGBColor(0, 0, 128));      // glyph
  picture.SetPaletteColor(2, RGBColor(128, 128, 128));  // frame
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x) {
      const bool frame = x == 0 || y == 0 || x == 79 || y == 79;
      const bool glyph = kGlyph[y / 8][x / 8] == '#';
      picture.SetPixel(x, y, frame ? 2 : glyph ? 1 : 0);
    }
  picture.UpdatePaletteIdent();
  picture.Changed();
}
