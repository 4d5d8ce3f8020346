// Nearest-colour cache of an image with an arbitrary palette (internal).
#pragma once

#include <array>
#include <cstdint>

#include "imaging/PGraphic.h"

// One cell per 5-6-5 colour cell, number (R shr 3) x 2048 + (G shr 2) x 32 + (B shr 3), and a
// bitmap telling which cells hold an index.
struct TPixelGraphic::ColorCache {
  std::array<std::uint8_t, 65536> cells{};
  std::array<std::uint8_t, 8192> filled{};

  static int CellOf(int r, int g, int b) { return (r >> 3) * 2048 + (g >> 2) * 32 + (b >> 3); }
  bool IsFilled(int cell) const { return (filled[cell >> 3] >> (cell & 7)) & 1; }
  void Fill(int cell, std::uint8_t index) {
    cells[cell] = index;
    filled[cell >> 3] |= static_cast<std::uint8_t>(1 << (cell & 7));
  }
};
