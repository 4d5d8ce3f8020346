// Row storage, pixel access, sizing, header, change notification and the message table.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "imaging/PGLibrary.h"
#include "imaging/PGraphic.h"

namespace {

std::uint32_t LE32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

TEST(Storage, RowsArePaddedToFourBytes) {
  TPixelGraphic g;
  g.SetSize(1, 1, pf1Bit);
  EXPECT_EQ(g.RowBytes(), 4u);
  g.SetSize(33, 2, pf1Bit);
  EXPECT_EQ(g.RowBytes(), 8u);
  g.SetSize(3, 5, pf24Bit);
  EXPECT_EQ(g.RowBytes(), 12u);
  EXPECT_EQ(g.ImageSize(), 60u);
  g.SetSize(5, 1, pf4Bit);
  EXPECT_EQ(g.RowBytes(), 4u);
}

TEST(Storage, RowZeroIsTheLastRowOfTheBlock) {
  TPixelGraphic g;
  g.SetSize(4, 3, pf8Bit);
  g.SetPixel(1, 0, 77);
  g.SetPixel(2, 2, 99);
  const std::uint8_t* bits = g.Bits();
  EXPECT_EQ(bits[2 * g.RowBytes() + 1], 77);
  EXPECT_EQ(bits[2], 99);
  EXPECT_EQ(g.ScanLine(0), bits + 2 * g.RowBytes());
}

TEST(Storage, BitPackingPerFormat) {
  TPixelGraphic g;
  g.SetSize(10, 1, pf1Bit);
  g.SetPixel(0, 0, 1);
  g.SetPixel(9, 0, 1);
  EXPECT_EQ(g.ScanLine(0)[0], 0x80);
  EXPECT_EQ(g.ScanLine(0)[1], 0x40);
  g.SetPixel(0, 0, 2);  // only exactly 1 sets a bit
  EXPECT_EQ(g.Pixel(0, 0), 0u);

  g.SetSize(3, 1, pf4Bit);
  g.SetPixel(0, 0, 0x1F);
  g.SetPixel(1, 0, 3);
  EXPECT_EQ(g.Pixel(0, 0), 15u);
  EXPECT_EQ(g.ScanLine(0)[0], 0xF3);

  g.SetSize(2, 1, pf24Bit);
  g.SetPixel(1, 0, RGBColor(10, 20, 30));
  const std::uint8_t* p = g.ScanLine(0) + 3;
  EXPECT_EQ(p[0], 30);
  EXPECT_EQ(p[1], 20);
  EXPECT_EQ(p[2], 10);
  EXPECT_EQ(g.Pixel(1, 0), RGBColor(10, 20, 30));
}

TEST(Storage, OutsideReadsBackgroundAndWritesNothing) {
  TPixelGraphic g;
  g.SetSize(2, 2, pf24Bit);
  g.SetBackGroundColor(RGBColor(1, 2, 3));
  EXPECT_EQ(g.Pixel(-1, 0), RGBColor(1, 2, 3));
  g.SetPixel(5, 5, 0xFFFFFF);  // ignored
  g.RaiseOutOfRange = true;
  try {
    g.Pixel(2, 0);
    FAIL();
  } catch (const EPGXYIndexOutOfRange& e) {
    EXPECT_STREQ(e.what(), "X, Y index out of range");
  }
  EXPECT_THROW(g.SetPixel(0, -1, 0), EPGXYIndexOutOfRange);
}

TEST(Storage, SetSizeClearsOrZeroFills) {
  TPixelGraphic g;
  g.SetSize(3, 3, pf24Bit);
  g.SetBackGroundColor(RGBColor(9, 8, 7));
  g.SetPixel(1, 1, 0x123456);
  g.SetSize(3, 3, pf24Bit);  // same size: cleared to the background
  EXPECT_EQ(g.Pixel(1, 1), RGBColor(9, 8, 7));
  g.SetSize(4, 3, pf24Bit);  // new size: zero-filled
  EXPECT_EQ(g.Pixel(1, 1), 0u);

  TPixelGraphic p;
  p.SetSize(5, 2, pf8Bit);
  p.SetPaletteIdent(pGray256);
  p.SetBackGroundIndex(42);
  p.Clear();
  EXPECT_EQ(p.Pixel(4, 1), 42u);
  EXPECT_EQ(p.ScanLine(0)[5], 0);  // padding untouched
  p.SetPixelFormat(pf4Bit);
  p.SetBackGroundIndex(5);
  p.Clear();
  EXPECT_EQ(p.Pixel(3, 0), 5u);
}

TEST(Storage, EmptySizesAndNegativeSizes) {
  TPixelGraphic g;
  int changes = 0;
  g.OnPixelGraphicChange = [&](TPixelGraphic&) { ++changes; };
  g.SetSize(0, 10, pf8Bit);
  EXPECT_TRUE(g.Empty());
  EXPECT_EQ(changes, 1);
  try {
    g.SetSize(-1, -1, pf8Bit);
    FAIL();
  } catch (const EPGInvalidSize& e) {
    EXPECT_STREQ(e.what(), "Negative width");
  }
  try {
    g.SetSize(1, -1, pf8Bit);
    FAIL();
  } catch (const EPGInvalidSize& e) {
    EXPECT_STREQ(e.what(), "Negative height");
  }
}

TEST(Storage, HugeSizesFailFastAndLeaveTheImageEmpty) {
  TPixelGraphic g;
  g.SetSize(4, 4, pf24Bit);
  for (auto [w, h, f] : {std::tuple{INT_MAX, INT_MAX, pf24Bit}, std::tuple{INT_MAX, 3, pf24Bit},
                         std::tuple{70000, 70000, pf8Bit}}) {
    try {
      g.SetSize(w, h, f);
      FAIL() << w << "x" << h;
    } catch (const EPixelGraphic& e) {
      EXPECT_STREQ(e.what(), "CreateDIBSection failed");
    }
    EXPECT_TRUE(g.Empty());
    EXPECT_EQ(g.Pixel(0, 0), g.BackGroundColor());
    g.SetPixel(1, 1, 5);  // no storage: ignored
    EXPECT_EQ(g.ScanLine(0), nullptr);
  }
  TPixelGraphic src;
  src.SetSize(8, 8, pf24Bit);
  g.CopyFrom(src);  // copies check the storage
  src.CopyFrom(g);
  g.FlipHorizontal();
  g.Rotate(false, src, 30);
}

TEST(Storage, FormatChangeTruncatesPaletteAndDiscardsPixels) {
  TPixelGraphic g;
  g.SetSize(4, 4, pf8Bit);
  g.SetPaletteIdent(pGray256);
  g.SetPixel(0, 0, 200);
  g.SetPixelFormat(pf4Bit);
  EXPECT_EQ(g.PaletteCount(), 16);
  EXPECT_EQ(g.PaletteIdent(), pUnknown);
  EXPECT_EQ(g.Pixel(0, 0), 0u);
  g.SetPixelFormat(pf24Bit);
  EXPECT_EQ(g.PaletteCount(), 0);
  EXPECT_EQ(g.PaletteIdent(), pTrueColor);
}

TEST(Storage, HeaderAndColourTable) {
  TPixelGraphic g;
  g.SetPaletteIdent(pBlackWhite);  // no storage yet: nothing to write into
  g.SetSize(7, 3, pf4Bit);
  const auto& info = g.BitmapInfo();
  ASSERT_EQ(info.size(), 40u + 16 * 4);
  EXPECT_EQ(LE32(info, 0), 40u);
  EXPECT_EQ(LE32(info, 4), 7u);
  EXPECT_EQ(LE32(info, 8), 3u);
  EXPECT_EQ(info[12], 1);
  EXPECT_EQ(info[14], 4);
  EXPECT_EQ(LE32(info, 20), g.ImageSize());
  EXPECT_EQ(LE32(info, 32), 16u);  // colours used = MaxPaletteCount when built
  // Entries beyond the palette repeat entry 0 (black); entry 1 is white as B, G, R, 0.
  EXPECT_EQ(LE32(info, 40 + 4), 0x00FFFFFFu);
  EXPECT_EQ(LE32(info, 40 + 4 * 9), 0u);
  g.SetPaletteCount(3);
  EXPECT_EQ(LE32(info, 32), 3u);
  g.SetPaletteColor(2, RGBColor(1, 2, 3));
  EXPECT_EQ(LE32(info, 40 + 8), 0x00010203u);
  g.SetPaletteCount(40);  // kept in the palette, colours used capped
  EXPECT_EQ(LE32(g.BitmapInfo(), 32), 16u);
  g.SetPaletteColor(30, 0xABCDEF);  // beyond the colour table: palette only
  EXPECT_EQ(g.PaletteColor(30), 0xABCDEFu);

  TPixelGraphic t;
  t.SetPaletteCount(2);
  t.SetPaletteColor(0, RGBColor(10, 20, 30));
  t.SetPaletteColor(1, RGBColor(40, 50, 60));
  t.SetSize(2, 2, pf8Bit);
  EXPECT_EQ(LE32(t.BitmapInfo(), 40 + 4 * 200), 0x000A141Eu);  // repeats entry 0
  t.SetSize(2, 2, pf24Bit);
  EXPECT_EQ(t.BitmapInfo().size(), 40u);
}

TEST(ChangeNotification, NestsAndFiresOnceAfterOutermostEnd) {
  TPixelGraphic g;
  int changes = 0;
  g.OnPixelGraphicChange = [&](TPixelGraphic&) { ++changes; };
  g.BeginUpdate();
  g.BeginUpdate();
  g.BeginUpdate();
  g.SetSize(3, 3, pf24Bit);
  g.EndUpdate();
  g.EndUpdate();
  EXPECT_EQ(changes, 0);
  g.EndUpdate();
  EXPECT_EQ(changes, 1);
  g.SetPixel(0, 0, 1);  // single pixel writes do not notify
  g.SetPaletteCount(0);
  EXPECT_EQ(changes, 1);
}

TEST(ChangeNotification, ProgressEndAndEndUpdateRunWhenAnOperationThrows) {
  TPixelGraphic src, dst;
  src.SetSize(40, 30, pf24Bit);
  dst.SetSize(20, 20, pf8Bit);
  dst.SetPaletteIdent(pSpecial216);
  int starts = 0, ends = 0;
  dst.OnPixelGraphicProgressStart = [&](TPixelGraphic&) { ++starts; };
  dst.OnPixelGraphicProgressEnd = [&](TPixelGraphic&) { ++ends; };
  dst.OnPixelGraphicProgress = [](TPixelGraphic&, int step, int, bool&) {
    if (step == 2) throw std::runtime_error("stop");
  };
  EXPECT_THROW(dst.CopyFrom(src), std::runtime_error);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(ends, 1);
  EXPECT_THROW(dst.Rotate(true, src, 10), std::runtime_error);
  EXPECT_EQ(dst.UpdateCount(), 0);
  EXPECT_EQ(starts, ends);
  dst.OnPixelGraphicProgress = nullptr;
  dst.CopyFrom(src);  // the dithering state was released cleanly
}

TEST(Assign, CopiesEverythingButEvents) {
  TPixelGraphic src;
  src.SetSize(5, 4, pf8Bit);
  src.SetPaletteIdent(pSpecial216);
  src.SetPixel(2, 3, 100);
  src.SetBackGroundIndex(7);
  src.Dither = false;
  src.StretchMode = smFast;
  src.Gamma = 2.2;
  src.TransparentColor = 0x123;
  src.PreviewLoad = true;
  src.SetRGBWeighting(false);
  TPixelGraphic dst;
  int changes = 0;
  dst.OnPixelGraphicChange = [&](TPixelGraphic&) { ++changes; };
  dst.Assign(&src);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dst.Width(), 5);
  EXPECT_EQ(dst.Pixel(2, 3), 100u);
  EXPECT_EQ(dst.PaletteIdent(), pSpecial216);
  EXPECT_EQ(dst.PaletteCount(), 216);
  EXPECT_EQ(dst.BackGroundColor(), 7u);
  EXPECT_FALSE(dst.Dither);
  EXPECT_EQ(dst.StretchMode, smFast);
  EXPECT_DOUBLE_EQ(dst.Gamma, 2.2);
  EXPECT_EQ(dst.TransparentColor, 0x123u);
  EXPECT_FALSE(dst.PreviewLoad);
  EXPECT_FALSE(dst.RGBWeighting());
  EXPECT_EQ(std::memcmp(dst.Bits(), src.Bits(), src.ImageSize()), 0);

  dst.Assign(nullptr);
  EXPECT_TRUE(dst.Empty());
  EXPECT_EQ(dst.PixelFormat(), pf24Bit);
  EXPECT_EQ(dst.PaletteIdent(), pTrueColor);
  EXPECT_EQ(dst.PaletteCount(), 0);
}

TEST(MessageTable, CarriesEveryEntryInOrder) {
  InitImagingLibrary();
  EXPECT_EQ(PGMessage(31, "CreateDIBSection"), "CreateDIBSection failed");
  EXPECT_EQ(PGMessage(19, "xyz"), "Unknown file extension \"xyz\"");
  EXPECT_EQ(PGMessage(17, "BMP", "1 bit", "24 bit"),
            "The graphic cannot be saved to a BMP file with the current color resolution "
            "(1 bit).\r\rThe graphic will be saved with a different color resolution (24 bit).");
  EXPECT_EQ(std::string(PGLangStrEntries[83].Text), "\u00b0");
  EXPECT_EQ(std::string(PGLangStrEntries[0].Text), "");
  EXPECT_EQ(std::string(PGLangStrEntries[84].Text), "");
  EXPECT_EQ(PGFormat("%S1 %S1 %S2", "a", "b"), "a %S1 b");

  std::vector<TPGLangStrEntry> broken(PGLangStrEntries, PGLangStrEntries + PGLangStrCount);
  broken[40].Index = 41;
  try {
    CheckPGLangStrEntries(broken);
    FAIL();
  } catch (const EPixelGraphic& e) {
    EXPECT_STREQ(e.what(), "PGLangStrEntries order wrong 40 and 41 are not identical");
  }
  try {
    PixelFormatFromBitCount(3);
    FAIL();
  } catch (const EPGInvalidBitCountNum& e) {
    EXPECT_STREQ(e.what(), "Invalid value for BitCountNum");
  }
  EXPECT_EQ(PixelFormatFromBitCount(4), pf4Bit);
}

}  // namespace
