// Nearest palette index of a colour, for every palette kind.
#include <array>
#include <cstdlib>

#include "imaging/ColorCache.h"
#include "imaging/PGMessageIds.h"
#include "imaging/PGraphic.h"
#include "imaging/StandardPalettes.h"

namespace {

#include "imaging/Palette252Cells.inc"

int Dist2(TRGB a, TRGB b) {
  const int dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
  return dr * dr + dg * dg + db * db;
}

// Candidates of the 16 system colours per cell (R div 64, G div 64, B div 64), compared in
// the listed order; the first is kept on equal distance.
constexpr const char* kSys16Cells[4][16] = {
    {"0", "4", "4", "12", "2", "6", "6", "6/12", "2", "6", "6", "6/14", "10", "6/10", "6/14", "14"},
    {"1", "5", "5", "5/12", "3", "8", "8", "8/12", "3", "8", "8", "7/8/14", "3/10", "8/10",
     "7/8/14", "7/14"},
    {"1", "5", "5", "5/13", "3", "8", "8", "7/8/13", "3", "8", "7/8", "7", "3/11", "7/8/11", "7",
     "7"},
    {"9", "5/9", "5/13", "13", "3/9", "8/9", "7/8/13", "7/13", "3/11", "7/8/11", "7", "7", "11",
     "7/11", "7", "7/15"}};

struct Sys16Cell {
  int count = 0;
  int entries[3] = {};
};

const std::array<Sys16Cell, 64>& Sys16CellTable() {
  static const std::array<Sys16Cell, 64> table = [] {
    std::array<Sys16Cell, 64> t{};
    for (int cell = 0; cell < 64; ++cell) {
      const char* p = kSys16Cells[cell / 16][cell % 16];
      Sys16Cell& out = t[static_cast<std::size_t>(cell)];
      while (*p && out.count < 3) {
        char* end = nullptr;
        out.entries[out.count++] = static_cast<int>(std::strtol(p, &end, 10));
        p = *end == '/' ? end + 1 : end;
      }
    }
    return t;
  }();
  return table;
}

int Sys16Index(TRGB c) {
  const auto sys = SystemColors16();
  const Sys16Cell& cell =
      Sys16CellTable()[static_cast<std::size_t>((RedOf(c) / 64) * 16 + (GreenOf(c) / 64) * 4 +
                                                BlueOf(c) / 64)];
  int best = cell.entries[0];
  int bestDist = Dist2(c, sys[static_cast<std::size_t>(best)]);
  for (int k = 1; k < cell.count; ++k) {
    const int d = Dist2(c, sys[static_cast<std::size_t>(cell.entries[k])]);
    if (d < bestDist) {
      best = cell.entries[k];
      bestDist = d;
    }
  }
  return best;
}

int Special252Index(TRGB c) {
  const auto pal = StandardPalette(pSpecial252);
  const int cell = 81 * ((RedOf(c) + 16) >> 5) + 9 * ((GreenOf(c) + 16) >> 5) +
                   ((BlueOf(c) + 16) >> 5);
  int best = -1, bestDist = 0;
  for (int k = kSpecial252Start[cell]; k < kSpecial252Start[cell + 1]; ++k) {
    const int candidate = kSpecial252Items[k];
    const int d = Dist2(c, pal[static_cast<std::size_t>(candidate)]);
    if (best < 0 || d < bestDist) {
      best = candidate;
      bestDist = d;
    }
  }
  return best;
}

// Entry of the 236-grey palette nearest to g / 3, the lower index on a tie, for g = 0..765.
const std::array<std::uint8_t, 766>& Gray236Table() {
  static const std::array<std::uint8_t, 766> table = [] {
    std::array<std::uint8_t, 766> t{};
    const auto pal = StandardPalette(pGray236);
    for (int g = 0; g <= 765; ++g) {
      int best = 0;
      for (int i = 1; i < static_cast<int>(pal.size()); ++i)
        if (std::abs(3 * RedOf(pal[i]) - g) < std::abs(3 * RedOf(pal[best]) - g)) best = i;
      t[static_cast<std::size_t>(g)] = static_cast<std::uint8_t>(best);
    }
    return t;
  }();
  return table;
}

}  // namespace

TRGB TPixelGraphic::ColorToIndex(TRGB color) {
  color &= 0xFFFFFF;
  if (FMemoValid && FMemoColor == color) return FMemoIndex;
  const TRGB result = LookupColor(color);
  FMemoColor = color;
  FMemoIndex = result;
  FMemoValid = true;
  return result;
}

TRGB TPixelGraphic::LookupColor(TRGB c) {
  const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
  switch (FPaletteIdent) {
    case pNone: PGRaise<EPGNoPalette>(pgmNoPalette);
    case pTrueColor: return c;
    case pUnknown:
      if (FPalette.empty()) return 0;
      if (FUseColorCache && FPalette.size() <= 256) return static_cast<TRGB>(CachedSearch(c));
      return static_cast<TRGB>(SearchPalette(c));
    case pBlackWhite: return static_cast<TRGB>((GrayValue(r, g, b) + 1) / 384);
    case pSysGray4: {
      const int v = GrayValue(r, g, b);
      return v <= 192 ? 0 : v <= 480 ? 1 : v <= 670 ? 2 : 3;
    }
    case pSys16: return static_cast<TRGB>(Sys16Index(c));
    case pGray4: return static_cast<TRGB>((GrayValue(r, g, b) + 127) / 255);
    case pGray16: return static_cast<TRGB>((GrayValue(r, g, b) + 25) / 51);
    case pGray236: return Gray236Table()[static_cast<std::size_t>(GrayValue(r, g, b))];
    case pGray256: return static_cast<TRGB>((GrayValue(r, g, b) + 1) / 3);
    case pSpecial125: {
      auto level = [](int v) { return v == 224 ? 4 : (v + 31) / 64; };
      return static_cast<TRGB>(25 * level(r) + 5 * level(g) + level(b));
    }
    case pSpecial216: {
      // Nearest of the levels 0, 51, ..., 255.
      auto level = [](int v) { return (v + 25) / 51; };
      return static_cast<TRGB>(36 * level(r) + 6 * level(g) + level(b));
    }
    case pSpecial252: return static_cast<TRGB>(Special252Index(c));
    default: return 0;
  }
}

int TPixelGraphic::SearchPalette(TRGB color) const {
  int best = 0;
  int bestDist = Dist2(color, FPalette[0]);
  for (std::size_t i = 1; i < FPalette.size() && bestDist > 0; ++i) {
    const int d = Dist2(color, FPalette[i]);
    if (d < bestDist) {
      bestDist = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

int TPixelGraphic::CachedSearch(TRGB color) {
  if (!FCache) {
    FCache = std::make_unique<ColorCache>();
    ColorCache& cache = *FCache;
    // Seed the cells in growing shells around every palette colour.
    for (int radius = 0; radius <= 4; ++radius) {
      for (std::size_t i = 0; i < FPalette.size(); ++i) {
        const TRGB c = FPalette[i];
        const int j = RedOf(c) >> 3, k = GreenOf(c) >> 2, l = BlueOf(c) >> 3;
        const auto index = static_cast<std::uint8_t>(i);
        auto visit = [&](int cj, int ck, int cl) {
          if (cj < 0 || cj > 31 || ck < 0 || ck > 63 || cl < 0 || cl > 31) return;
          const int cell = cj * 2048 + ck * 32 + cl;
          if (!cache.IsFilled(cell)) cache.Fill(cell, index);
        };
        for (int cj : {j - radius, j + radius})
          for (int ck = k - radius; ck <= k + radius; ++ck)
            for (int cl = l - radius; cl <= l + radius; ++cl) visit(cj, ck, cl);
        for (int ck : {k - radius, k + radius})
          for (int cj = j - radius; cj <= j + radius; ++cj)
            for (int cl = l - radius; cl <= l + radius; ++cl) visit(cj, ck, cl);
        for (int cl : {l - radius, l + radius})
          for (int cj = j - radius; cj <= j + radius; ++cj)
            for (int ck = k - radius; ck <= k + radius; ++ck) visit(cj, ck, cl);
      }
    }
  }
  ColorCache& cache = *FCache;
  const int cell = ColorCache::CellOf(RedOf(color), GreenOf(color), BlueOf(color));
  if (cache.IsFilled(cell)) return cache.cells[static_cast<std::size_t>(cell)];
  const int index = SearchPalette(color);
  cache.Fill(cell, static_cast<std::uint8_t>(index));
  return index;
}

void TPixelGraphic::FreeColorCache() { FCache.reset(); }
