// Nearest palette index for every palette kind, the lookup cells and the colour cache.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "imaging/PGraphic.h"
#include "imaging/StandardPalettes.h"

namespace {

#include "imaging/Palette252Cells.inc"

int Dist2(TRGB a, TRGB b) {
  const int dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
  return dr * dr + dg * dg + db * db;
}

TPixelGraphic& WithPalette(TPixelGraphic& g, TPaletteIdent ident) {
  g.SetSize(1, 1, pf8Bit);
  g.SetPaletteIdent(ident);
  return g;
}

TEST(GreyValue, WeightedAndPlain) {
  TPixelGraphic g;
  EXPECT_EQ(g.GrayValue(255, 0, 0), 228);
  EXPECT_EQ(g.GrayValue(255, 255, 0), 677);
  EXPECT_EQ(g.GrayValue(255, 255, 255), 765);
  g.SetRGBWeighting(false);
  EXPECT_EQ(g.GrayValue(255, 255, 0), 510);
}

TEST(ColorToIndex, GreyAndBlackWhiteFormulas) {
  TPixelGraphic g;
  WithPalette(g, pBlackWhite);
  EXPECT_EQ(g.ColorToIndex(RGBColor(255, 0, 0)), 0u);
  EXPECT_EQ(g.ColorToIndex(RGBColor(255, 255, 0)), 1u);
  g.SetRGBWeighting(false);
  EXPECT_EQ(g.ColorToIndex(RGBColor(255, 0, 0)), 0u);
  EXPECT_EQ(g.ColorToIndex(RGBColor(255, 255, 0)), 1u);

  TPixelGraphic g256;
  WithPalette(g256, pGray256).SetRGBWeighting(false);
  EXPECT_EQ(g256.ColorToIndex(RGBColor(10, 20, 30)), 20u);

  TPixelGraphic s4;
  WithPalette(s4, pSysGray4).SetRGBWeighting(false);
  EXPECT_EQ(s4.ColorToIndex(RGBColor(64, 64, 64)), 0u);  // 192
  EXPECT_EQ(s4.ColorToIndex(RGBColor(65, 64, 64)), 1u);  // 193
  EXPECT_EQ(s4.ColorToIndex(RGBColor(160, 160, 160)), 1u);  // 480
  EXPECT_EQ(s4.ColorToIndex(RGBColor(224, 224, 222)), 2u);  // 670
  EXPECT_EQ(s4.ColorToIndex(RGBColor(224, 224, 223)), 3u);

  TPixelGraphic g4, g16;
  WithPalette(g4, pGray4).SetRGBWeighting(false);
  WithPalette(g16, pGray16).SetRGBWeighting(false);
  EXPECT_EQ(g4.ColorToIndex(RGBColor(42, 43, 43)), 1u);   // (128 + 127) div 255
  EXPECT_EQ(g16.ColorToIndex(RGBColor(8, 9, 8)), 0u);    // (25 + 25) div 51
  EXPECT_EQ(g16.ColorToIndex(RGBColor(9, 8, 9)), 1u);    // (26 + 25) div 51
}

TEST(ColorToIndex, Grey236PicksTheNearestEntry) {
  TPixelGraphic g;
  WithPalette(g, pGray236).SetRGBWeighting(false);
  const auto pal = StandardPalette(pGray236);
  for (int v = 0; v < 256; ++v) {
    const int i = static_cast<int>(g.ColorToIndex(RGBColor(v, v, v)));
    for (int j = 0; j < 236; ++j) ASSERT_LE(std::abs(RedOf(pal[i]) - v), std::abs(RedOf(pal[j]) - v));
  }
  EXPECT_EQ(g.ColorToIndex(RGBColor(6, 6, 6)), 5u);  // 5 and 7 are equally near: lower index
}

TEST(ColorToIndex, CubeLevels) {
  TPixelGraphic c125;
  WithPalette(c125, pSpecial125);
  EXPECT_EQ(c125.ColorToIndex(RGBColor(0, 0, 224)), 4u);
  EXPECT_EQ(c125.ColorToIndex(RGBColor(0, 0, 223)), 3u);
  EXPECT_EQ(c125.ColorToIndex(RGBColor(0, 0, 32)), 0u);
  EXPECT_EQ(c125.ColorToIndex(RGBColor(0, 0, 33)), 1u);
  EXPECT_EQ(c125.ColorToIndex(RGBColor(255, 128, 0)), 25u * 4 + 5 * 2);

  TPixelGraphic c216;
  WithPalette(c216, pSpecial216);
  EXPECT_EQ(c216.ColorToIndex(RGBColor(0, 0, 25)), 0u);
  EXPECT_EQ(c216.ColorToIndex(RGBColor(0, 0, 26)), 1u);
  EXPECT_EQ(c216.ColorToIndex(RGBColor(255, 255, 255)), 215u);
  // Every channel value goes to its nearest level.
  for (int v = 0; v < 256; ++v) {
    const int level = static_cast<int>(c216.ColorToIndex(RGBColor(0, 0, v)));
    EXPECT_LE(std::abs(51 * level - v), 25) << v;
  }
}

TEST(ColorToIndex, SystemSixteenCellTable) {
  TPixelGraphic g;
  WithPalette(g, pSys16);
  EXPECT_EQ(g.ColorToIndex(RGBColor(66, 192, 192)), 14u);  // not the nearer grey 8
  const auto sys = SystemColors16();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(g.ColorToIndex(sys[i]), static_cast<TRGB>(i));
  EXPECT_EQ(g.ColorToIndex(RGBColor(200, 190, 180)), 7u);
}

TEST(ColorToIndex, Special252CellListsFollowTheNearestRule) {
  int total = kSpecial252Start[729];
  EXPECT_EQ(total, 1928);
  // The first cells along the blue axis.
  const std::vector<std::vector<int>> expected = {{0},     {0, 16, 125}, {16},     {4, 16}, {4},
                                                  {4, 17}, {17},         {12, 17}, {12}};
  for (int c = 0; c < 9; ++c) {
    std::vector<int> got(kSpecial252Items + kSpecial252Start[c],
                         kSpecial252Items + kSpecial252Start[c + 1]);
    EXPECT_EQ(got, expected[c]) << "cell " << c;
  }
  // Every answer is a nearest entry of all 252.
  TPixelGraphic g;
  WithPalette(g, pSpecial252);
  const auto pal = StandardPalette(pSpecial252);
  std::mt19937 rng(7);
  for (int n = 0; n < 20000; ++n) {
    const TRGB c = rng() & 0xFFFFFF;
    const TRGB got = g.ColorToIndex(c);
    int best = Dist2(c, pal[0]);
    for (TRGB e : pal) best = std::min(best, Dist2(c, e));
    ASSERT_EQ(Dist2(c, pal[got]), best) << std::hex << c;
  }
  EXPECT_EQ(g.ColorToIndex(RGBColor(16, 16, 16)), 125u);
}

TEST(ColorToIndex, ExhaustiveSearchAndMemo) {
  TPixelGraphic g;
  g.SetSize(1, 1, pf8Bit);
  g.SetUseColorCache(false);
  g.SetPaletteCount(3);
  g.SetPaletteColor(0, RGBColor(0, 0, 0));
  g.SetPaletteColor(1, RGBColor(100, 0, 0));
  g.SetPaletteColor(2, RGBColor(100, 0, 0));
  EXPECT_EQ(g.ColorToIndex(RGBColor(90, 0, 0)), 1u);  // lower index on equal distance
  EXPECT_EQ(g.ColorToIndex(RGBColor(50, 0, 0)), 0u);
  g.SetPaletteColor(0, RGBColor(50, 0, 0));  // the memo is dropped
  EXPECT_EQ(g.ColorToIndex(RGBColor(90, 0, 0)), 1u);
  g.SetPaletteColor(1, RGBColor(255, 255, 255));
  EXPECT_EQ(g.ColorToIndex(RGBColor(90, 0, 0)), 2u);

  TPixelGraphic empty;
  empty.SetSize(1, 1, pf8Bit);
  empty.SetPaletteIdent(pNone);
  empty.SetPaletteIdent(pUnknown);  // an arbitrary palette that happens to be empty
  EXPECT_EQ(empty.ColorToIndex(RGBColor(1, 2, 3)), 0u);
  empty.SetUseColorCache(false);
  EXPECT_EQ(empty.ColorToIndex(RGBColor(1, 2, 3)), 0u);

  TPixelGraphic tc;
  EXPECT_EQ(tc.ColorToIndex(0x123456), 0x123456u);
}

TEST(ColorCache, FarColoursUseTheExhaustiveSearchOnce) {
  TPixelGraphic g;
  g.SetSize(1, 1, pf8Bit);
  g.SetPaletteCount(2);
  g.SetPaletteColor(0, RGBColor(0, 0, 0));
  g.SetPaletteColor(1, RGBColor(255, 255, 255));
  EXPECT_EQ(g.ColorToIndex(RGBColor(128, 128, 128)), 1u);
  // The cell now answers white for every colour in it, even the darker ones.
  EXPECT_EQ(g.ColorToIndex(RGBColor(128, 129, 128)), 1u);
  EXPECT_EQ(g.ColorToIndex(RGBColor(135, 131, 135)), 1u);
  EXPECT_EQ(g.ColorToIndex(RGBColor(20, 20, 20)), 0u);  // seeded near black
}

TEST(ColorCache, AgreesWithTheExhaustiveSearchOnASample) {
  std::mt19937 rng(11);
  TPixelGraphic cached, exact;
  for (TPixelGraphic* g : {&cached, &exact}) {
    g->SetSize(1, 1, pf8Bit);
    g->SetPaletteCount(200);
  }
  exact.SetUseColorCache(false);
  for (int i = 0; i < 200; ++i) {
    const TRGB c = rng() & 0xFFFFFF;
    cached.SetPaletteColor(i, c);
    exact.SetPaletteColor(i, c);
  }
  // A palette colour answers its own entry, or an entry sharing its cell (the first entry
  // seeded into a cell owns it).
  auto cell = [](TRGB c) { return (RedOf(c) >> 3) * 2048 + (GreenOf(c) >> 2) * 32 + (BlueOf(c) >> 3); };
  for (int i = 0; i < 200; ++i) {
    const TRGB c = exact.PaletteColor(i);
    const TRGB got = cached.PaletteColor(static_cast<int>(cached.ColorToIndex(c)));
    EXPECT_EQ(cell(got), cell(c));
  }
  for (int n = 0; n < 5000; ++n) {
    const TRGB c = rng() & 0xFFFFFF;
    const int fromCache = Dist2(c, cached.PaletteColor(static_cast<int>(cached.ColorToIndex(c))));
    const int best = Dist2(c, exact.PaletteColor(static_cast<int>(exact.ColorToIndex(c))));
    // Cells are seeded by growing cubes of 8x4x8-value cells, so the cached answer lies
    // within a bounded factor of the nearest one plus two cell diagonals.
    ASSERT_LE(std::sqrt(fromCache), 3 * std::sqrt(best) + 24.0)
        << std::hex << c;
    EXPECT_EQ(cached.ColorToIndex(c), cached.ColorToIndex(c));
  }
}

}  // namespace
