// Standard palettes, palette access and identity recognition.
#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/PGraphic.h"
#include "imaging/StandardPalettes.h"

namespace {

constexpr TPaletteIdent kStandard[] = {pBlackWhite, pSysGray4, pSys16,      pGray4,
                                       pGray16,     pGray236,  pGray256,    pSpecial125,
                                       pSpecial216, pSpecial252};

TEST(StandardPalettes, SizesAndKnownEntries) {
  EXPECT_EQ(StandardPalette(pBlackWhite).size(), 2u);
  EXPECT_EQ(StandardPalette(pGray4)[1], RGBColor(85, 85, 85));
  EXPECT_EQ(StandardPalette(pGray16)[1], RGBColor(17, 17, 17));
  const auto g236 = StandardPalette(pGray236);
  ASSERT_EQ(g236.size(), 236u);
  const int begin[] = {0, 1, 2, 3, 4, 5, 7, 8};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(RedOf(g236[i]), begin[i]) << i;
  EXPECT_EQ(RedOf(g236[233]), 253);
  EXPECT_EQ(RedOf(g236[235]), 255);
  EXPECT_EQ(StandardPalette(pSpecial125)[25 * 1 + 5 * 2 + 4], RGBColor(64, 128, 255));
  EXPECT_EQ(StandardPalette(pSpecial216)[36 * 5 + 1], RGBColor(255, 0, 51));

  const auto s252 = StandardPalette(pSpecial252);
  ASSERT_EQ(s252.size(), 252u);
  const auto sys = SystemColors16();
  EXPECT_TRUE(std::equal(sys.begin(), sys.end(), s252.begin()));
  // Entries 16..124: the cube colours that are not system colours, in cube order.
  EXPECT_EQ(s252[16], RGBColor(0, 0, 64));
  EXPECT_EQ(s252[124], RGBColor(255, 255, 192));
  EXPECT_EQ(s252[125], RGBColor(32, 32, 32));
  EXPECT_EQ(s252[251], RGBColor(224, 96, 192));
  std::vector<TRGB> sorted(s252.begin(), s252.end());
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "duplicates";
}

TEST(PaletteIdentity, EveryStandardPaletteIsRecognised) {
  for (TPaletteIdent ident : kStandard) {
    TPixelGraphic g;
    g.SetSize(2, 2, pf8Bit);
    const auto entries = StandardPalette(ident);
    g.SetPaletteCount(static_cast<int>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i)
      g.SetPaletteColor(static_cast<int>(i), entries[i]);
    EXPECT_EQ(g.PaletteIdent(), pUnknown);
    g.UpdatePaletteIdent();
    EXPECT_EQ(g.PaletteIdent(), ident) << int(ident);
    // A permuted standard palette is just a palette.
    const TRGB first = g.PaletteColor(0);
    g.SetPaletteColor(0, g.PaletteColor(1));
    g.SetPaletteColor(1, first);
    g.UpdatePaletteIdent();
    EXPECT_EQ(g.PaletteIdent(), pUnknown) << int(ident);
  }
}

TEST(PaletteIdentity, GreyFourAgainstSystemGreyFour) {
  TPixelGraphic g;
  g.SetSize(1, 1, pf4Bit);
  auto set = [&](std::initializer_list<int> greys) {
    g.SetPaletteCount(static_cast<int>(greys.size()));
    int i = 0;
    for (int v : greys) g.SetPaletteColor(i++, RGBColor(v, v, v));
    g.UpdatePaletteIdent();
  };
  set({0, 85, 170, 255});
  EXPECT_EQ(g.PaletteIdent(), pGray4);
  EXPECT_TRUE(g.IsGray());
  set({0, 128, 192, 255});
  EXPECT_EQ(g.PaletteIdent(), pSysGray4);
  set({0, 192, 128, 255});
  EXPECT_EQ(g.PaletteIdent(), pUnknown);
  g.SetPaletteColor(1, RGBColor(1, 2, 3));
  g.UpdatePaletteIdent();
  EXPECT_FALSE(g.IsGray());
}

TEST(PaletteIdentity, EmptyPalettes) {
  TPixelGraphic g;
  g.SetSize(2, 2, pf24Bit);
  g.UpdatePaletteIdent();
  EXPECT_EQ(g.PaletteIdent(), pTrueColor);
  EXPECT_FALSE(g.IsGray());
  EXPECT_EQ(g.PaletteColor(7), 7u);

  g.SetPixelFormat(pf8Bit);
  EXPECT_EQ(g.PaletteIdent(), pTrueColor);  // no palette set yet
  g.SetPixelColor(0, 0, RGBColor(0x34, 0x12, 0));
  EXPECT_EQ(g.Pixel(0, 0), 0x34u);  // low byte of the colour as the index

  g.SetPaletteIdent(pGray16);
  g.SetPaletteCount(0);
  g.UpdatePaletteIdent();
  EXPECT_EQ(g.PaletteIdent(), pNone);
  EXPECT_TRUE(g.IsGray());
}

TEST(PaletteAccess, ErrorsAndRequestIdentities) {
  TPixelGraphic g;
  g.SetSize(2, 2, pf8Bit);
  g.SetPaletteIdent(pNone);
  try {
    g.SetPaletteColor(0, 0);
    FAIL();
  } catch (const EPGNoPalette& e) {
    EXPECT_STREQ(e.what(), "No palette");
  }
  EXPECT_THROW(g.ColorToIndex(0), EPGNoPalette);
  g.SetPaletteIdent(pSys16);
  try {
    g.PaletteColor(16);
    FAIL();
  } catch (const EPGInvalidPaletteIndex& e) {
    EXPECT_STREQ(e.what(), "Invalid palette index");
  }
  EXPECT_THROW(g.SetPaletteColor(-1, 0), EPGInvalidPaletteIndex);
  const auto before = g.Palette();
  g.SetPaletteIdent(pOptimized252Sys16);
  g.SetPaletteIdent(pSource);
  EXPECT_EQ(g.Palette(), before);
  EXPECT_EQ(g.PaletteIdent(), pSys16);

  // pUnknown keeps the palette as it is.
  g.SetPaletteIdent(pUnknown);
  EXPECT_EQ(g.Palette(), before);
  // Growing the palette fills with black.
  g.SetPaletteCount(18);
  EXPECT_EQ(g.PaletteColor(17), 0u);
  EXPECT_EQ(g.PaletteColor(15), RGBColor(255, 255, 255));
}

TEST(PaletteAccess, CopyPaletteAndBackground) {
  TPixelGraphic a, b;
  a.SetSize(2, 2, pf8Bit);
  a.SetPaletteIdent(pSpecial125);
  b.SetSize(2, 2, pf8Bit);
  b.CopyPalette(a);
  EXPECT_EQ(b.PaletteIdent(), pSpecial125);
  EXPECT_EQ(b.PaletteCount(), 125);
  b.SetBackGroundColor(RGBColor(255, 255, 255));
  EXPECT_EQ(b.BackGroundColor(), 124u);
  EXPECT_EQ(b.BackGroundRGB(), RGBColor(255, 255, 255));
  const auto gen = b.PaletteGeneration();
  b.SetPaletteColor(3, 1);
  EXPECT_GT(b.PaletteGeneration(), gen);
}

}  // namespace
