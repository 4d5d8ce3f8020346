// Pictures and comparisons for the filter tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/PGraphic.h"

// A 24-bit picture of varied colours from a simple generator (no two rows alike).
inline void MakeVaried(TPixelGraphic& g, int w, int h, std::uint32_t seed = 1) {
  g.SetSize(w, h, pf24Bit);
  std::uint32_t s = seed;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      s = s * 1664525u + 1013904223u;
      const int r = static_cast<int>((x * 7 + (s >> 28)) & 0xFF);
      const int gr = static_cast<int>((y * 5 + ((s >> 20) & 0x3F)) & 0xFF);
      const int b = static_cast<int>((s >> 8) & 0xFF);
      g.SetPixel(x, y, RGBColor(r, gr, b));
    }
}

// An 8-bit picture with a palette of `colors` varied entries and varied indexes.
inline void MakeVariedPalette(TPixelGraphic& g, int w, int h, int colors = 256) {
  g.SetSize(w, h, pf8Bit);
  g.SetPaletteCount(colors);
  for (int i = 0; i < colors; ++i)
    g.SetPaletteColor(i, RGBColor((i * 37) & 0xFF, (i * 91 + 17) & 0xFF, (255 - i * 13) & 0xFF));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g.SetPixel(x, y, static_cast<TRGB>((x * 3 + y * 7) % colors));
}

inline void FillColor(TPixelGraphic& g, TRGB c) {
  for (int y = 0; y < g.Height(); ++y)
    for (int x = 0; x < g.Width(); ++x) g.SetPixelColor(x, y, c);
}

// Every pixel colour, row by row.
inline std::vector<TRGB> Colors(const TPixelGraphic& g) {
  std::vector<TRGB> v;
  for (int y = 0; y < g.Height(); ++y)
    for (int x = 0; x < g.Width(); ++x) v.push_back(g.PixelColor(x, y));
  return v;
}

inline std::vector<TRGB> RawPixels(const TPixelGraphic& g) {
  std::vector<TRGB> v;
  for (int y = 0; y < g.Height(); ++y)
    for (int x = 0; x < g.Width(); ++x) v.push_back(g.Pixel(x, y));
  return v;
}

inline std::string ColorText(TRGB c) {
  return "(" + std::to_string(RedOf(c)) + ", " + std::to_string(GreenOf(c)) + ", " +
         std::to_string(BlueOf(c)) + ")";
}
