#include "imaging/filters/SourceRows.h"

#include <cstring>

void TSourceRows::Attach(const TPixelGraphic& image) {
  image.FlushDrawing();
  FImage = &image;
  FBits = image.Bits();
  FRowBytes = image.RowBytes();
  FWidth = image.Empty() ? 0 : image.Width();
  FHeight = image.Empty() ? 0 : image.Height();
  FFormat = image.PixelFormat();
  if (FFormat == pf24Bit) return;
  // Raw values beyond the palette read as its first entry, as everywhere in the library.
  const int count = image.PaletteCount();
  for (int i = 0; i < 256; ++i) {
    if (image.PaletteIdent() == pTrueColor)
      FTable[static_cast<std::size_t>(i)] = static_cast<TRGB>(i);
    else if (i < count)
      FTable[static_cast<std::size_t>(i)] = image.PaletteColor(i);
    else
      FTable[static_cast<std::size_t>(i)] = count > 0 ? image.PaletteColor(0) : 0;
  }
}

namespace {

int RawValue(const std::uint8_t* row, TPixelFormat format, int x) {
  switch (format) {
    case pf1Bit: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case pf4Bit: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default: return row[x];
  }
}

}  // namespace

TRGB TSourceRows::Color(int x, int y) const {
  const std::uint8_t* row = FBits + static_cast<std::size_t>(FHeight - 1 - y) * FRowBytes;
  if (FFormat == pf24Bit) {
    const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
    return RGBColor(p[2], p[1], p[0]);
  }
  return FTable[static_cast<std::size_t>(RawValue(row, FFormat, x))];
}

void TSourceRows::ReadRow(int y, std::uint8_t* bgr) const {
  const std::uint8_t* row = FBits + static_cast<std::size_t>(FHeight - 1 - y) * FRowBytes;
  if (FFormat == pf24Bit) {
    if (bgr != row) std::memcpy(bgr, row, static_cast<std::size_t>(FWidth) * 3);
    return;
  }
  for (int x = 0; x < FWidth; ++x, bgr += 3) {
    const TRGB c = FTable[static_cast<std::size_t>(RawValue(row, FFormat, x))];
    bgr[0] = static_cast<std::uint8_t>(BlueOf(c));
    bgr[1] = static_cast<std::uint8_t>(GreenOf(c));
    bgr[2] = static_cast<std::uint8_t>(RedOf(c));
  }
}
