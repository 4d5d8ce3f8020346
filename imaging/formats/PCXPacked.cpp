#include "imaging/formats/PCXPacked.h"

bool IsPCXPackedLayout(int bitsPerPlane, int planes) {
  return planes == 1 && (bitsPerPlane == 2 || bitsPerPlane == 4);
}

void SetPCXPackedPalette(TPixelGraphic& image, int version, int bits, const std::uint8_t* map) {
  if (version == 3 && bits == 4) {
    image.SetPaletteIdent(pSys16);
    return;
  }
  const int count = 1 << bits;
  image.SetPaletteCount(count);
  if (version == 3) {
    static const TRGB kCGA[4] = {RGBColor(0, 0, 0), RGBColor(0, 170, 170),
                                 RGBColor(170, 0, 170), RGBColor(170, 170, 170)};
    for (int i = 0; i < count; ++i) image.SetPaletteColor(i, kCGA[i]);
    return;
  }
  for (int i = 0; i < count; ++i)
    image.SetPaletteColor(i, RGBColor(map[3 * i], map[3 * i + 1], map[3 * i + 2]));
}

void ConvertPCXPackedLine(TPixelGraphic& image, int y, const std::uint8_t* line, int bits) {
  const int width = image.Width();
  std::uint8_t* row = image.ScanLine(y);
  const int perByte = 8 / bits;
  const int mask = (1 << bits) - 1;
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - bits * (x % perByte + 1);
    const int v = (line[x / perByte] >> shift) & mask;
    std::uint8_t& out = row[x / 2];
    out = static_cast<std::uint8_t>(x % 2 ? (out & 0xF0) | v : (out & 0x0F) | (v << 4));
  }
}
