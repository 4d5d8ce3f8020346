// Fast colour reads from a source image and colour writes into a target image (internal).
#pragma once

#include <array>
#include <cstdint>

#include "imaging/PGraphic.h"

// Reads colours of an image; palette values beyond the palette read as its first entry.
class TSourceColors {
 public:
  explicit TSourceColors(const TPixelGraphic& image) : FImage(image) {
    image.FlushDrawing();
    if (image.PixelFormat() == pf24Bit) return;
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

  TRGB Color(int x, int y) const {
    if (FImage.PixelFormat() == pf24Bit) {
      const std::uint8_t* p = FImage.ScanLine(y) + static_cast<std::size_t>(x) * 3;
      return RGBColor(p[2], p[1], p[0]);
    }
    return FTable[FImage.Pixel(x, y) & 0xFF];
  }

  // Row y in storage order: blue, green, red bytes per pixel.
  void RowBGR(int y, std::uint8_t* out) const {
    const int w = FImage.Width();
    for (int x = 0; x < w; ++x, out += 3) {
      const TRGB c = FTable[FImage.Pixel(x, y) & 0xFF];
      out[0] = static_cast<std::uint8_t>(BlueOf(c));
      out[1] = static_cast<std::uint8_t>(GreenOf(c));
      out[2] = static_cast<std::uint8_t>(RedOf(c));
    }
  }

 private:
  const TPixelGraphic& FImage;
  std::array<TRGB, 256> FTable{};
};

// Writes colours into an image: bytes for 24-bit images, dithered or nearest index otherwise.
// Dithering writers must be fed row by row in serpentine order.
class TTargetWriter {
 public:
  TTargetWriter(TPixelGraphic& image, bool dither) : FImage(image), FDither(dither) {}

  void NextRow() {
    if (FDither) FImage.NextDitherRow();
  }

  void Write(int x, int y, int r, int g, int b) {
    if (FImage.PixelFormat() == pf24Bit) {
      std::uint8_t* p = FImage.ScanLine(y) + static_cast<std::size_t>(x) * 3;
      p[0] = static_cast<std::uint8_t>(b);
      p[1] = static_cast<std::uint8_t>(g);
      p[2] = static_cast<std::uint8_t>(r);
    } else if (FDither) {
      FImage.SetPixelDithered(x, y, r, g, b);
    } else {
      FImage.SetPixelColor(x, y, RGBColor(r, g, b));
    }
  }

  void Write(int x, int y, TRGB c) { Write(x, y, RedOf(c), GreenOf(c), BlueOf(c)); }

 private:
  TPixelGraphic& FImage;
  bool FDither;
};
