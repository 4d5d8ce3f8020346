// Mirroring in place; the palette is untouched.
#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/PGraphic.h"

void TPixelGraphic::FlipHorizontal() {
  FlushDrawing();
  if (Empty()) return;
  {
    TPGProgressScope progress(*this);
    for (int y = 0; y < FHeight; ++y) {
      if (FPixelFormat == pf24Bit) {
        std::uint8_t* row = ScanLine(y);
        for (int x = 0; x < FWidth / 2; ++x) {
          std::uint8_t* a = row + static_cast<std::size_t>(x) * 3;
          std::uint8_t* b = row + static_cast<std::size_t>(FWidth - 1 - x) * 3;
          std::swap(a[0], b[0]);
          std::swap(a[1], b[1]);
          std::swap(a[2], b[2]);
        }
      } else if (FPixelFormat == pf8Bit) {
        std::uint8_t* row = ScanLine(y);
        std::reverse(row, row + FWidth);
      } else {
        for (int x = 0; x < FWidth / 2; ++x) {
          const TRGB a = Pixel(x, y);
          SetPixel(x, y, Pixel(FWidth - 1 - x, y));
          SetPixel(FWidth - 1 - x, y, a);
        }
      }
      if (Progress(y, FHeight - 1)) break;
    }
  }
  Changed();
}

void TPixelGraphic::FlipVertical() {
  FlushDrawing();
  if (Empty()) return;
  {
    TPGProgressScope progress(*this);
    if (!OnPixelGraphicProgress) {
      // Nobody can abort half-way: exchange whole rows.
      std::vector<std::uint8_t> tmp(FRowBytes);
      for (int y = 0; y < FHeight / 2; ++y) {
        std::uint8_t* a = ScanLine(y);
        std::uint8_t* b = ScanLine(FHeight - 1 - y);
        std::memcpy(tmp.data(), a, FRowBytes);
        std::memcpy(a, b, FRowBytes);
        std::memcpy(b, tmp.data(), FRowBytes);
      }
    } else {
      // Column by column, so that an abort leaves whole columns flipped.
      for (int x = 0; x < FWidth; ++x) {
        for (int y = 0; y < FHeight / 2; ++y) {
          const TRGB a = Pixel(x, y);
          SetPixel(x, y, Pixel(x, FHeight - 1 - y));
          SetPixel(x, FHeight - 1 - y, a);
        }
        if (Progress(x, FWidth - 1)) break;
      }
    }
  }
  Changed();
}
