#include "tests/formats/FormatTestUtil.h"
#include "tests/formats/GoldenUtil.h"
#include "imaging/StandardPalettes.h"
#include "imaging/formats/PCXFormat.h"

namespace {

class PCXTest : public FormatTest {};

TBytes PCXHeader(int version, int bits, int planes, int w, int h, int bytesPerLine,
                 int paletteInfo = 1) {
  TBytes b(128, 0);
  b[0] = 0x0A;
  b[1] = static_cast<std::uint8_t>(version);
  b[2] = 1;
  b[3] = static_cast<std::uint8_t>(bits);
  b[8] = static_cast<std::uint8_t>(w - 1);
  b[10] = static_cast<std::uint8_t>(h - 1);
  for (int i = 0; i < 48; ++i) b[16 + i] = static_cast<std::uint8_t>(i * 5);
  b[65] = static_cast<std::uint8_t>(planes);
  b[66] = static_cast<std::uint8_t>(bytesPerLine);
  b[68] = static_cast<std::uint8_t>(paletteInfo);
  return b;
}

TEST_F(PCXTest, GoldenFilesFromNetpbm) {
  for (const char* name : {"nb_rgb24.pcx", "nb_pal8.pcx", "nb_default.pcx"}) {
    SCOPED_TRACE(name);
    TPixelGraphic image;
    LoadBytes(image, ReadFileBytes(DataPath(name)));
    ExpectPattern(image);
  }
}

// Single-plane files of 2 and 4 bits (ppmtopcx -packed) against pcxtoppm of them.
TEST_F(PCXTest, PackedSinglePlaneFilesFromNetpbm) {
  ExpectMatchesReference("nb_packed2.pcx", "nb_packed2.pcx.ppm");
  ExpectMatchesReference("nb_packed4.pcx", "nb_packed4.pcx.ppm");
  TPixelGraphic image;
  LoadBytes(image, ReadFileBytes(DataPath("nb_packed2.pcx")));
  EXPECT_EQ(image.PixelFormat(), pf4Bit);
  EXPECT_EQ(image.PaletteCount(), 4);
}

TEST_F(PCXTest, PackedLayoutsOfVersion3AndShortLines) {
  // 2 bits, 5 pixels: 0b00011011 0b11000000 = 0, 1, 2, 3, 3; version 3 takes the CGA colours.
  TBytes f = PCXHeader(3, 2, 1, 5, 1, 2);
  f.insert(f.end(), {0x1B, 0xC1, 0xC0});
  TPixelGraphic image;
  LoadBytes(image, f);
  EXPECT_EQ(image.PixelColor(0, 0), 0u);
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(0, 170, 170));
  EXPECT_EQ(image.PixelColor(2, 0), RGBColor(170, 0, 170));
  EXPECT_EQ(image.PixelColor(4, 0), RGBColor(170, 170, 170));
  // 4 bits of version 3 use the system colours; the header map otherwise.
  TBytes g = PCXHeader(3, 4, 1, 2, 1, 2);
  g.insert(g.end(), {0x1F, 0x00});
  LoadBytes(image, g);
  EXPECT_EQ(image.PaletteIdent(), pSys16);
  EXPECT_EQ(image.Pixel(0, 0), 1u);
  EXPECT_EQ(image.Pixel(1, 0), 15u);
  g[1] = 5;
  LoadBytes(image, g);
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(225, 230, 235));
  // Lines shorter than the width needs are refused.
  TBytes shortLine = PCXHeader(5, 4, 1, 5, 1, 2);
  shortLine.insert(shortLine.end(), {0, 0});
  EXPECT_PG_ERROR(LoadBytes(image, shortLine), EPGPCXFileFormatReader,
                  "PCX: Unknown subformat");
}

TEST_F(PCXTest, RunsAreCutAtTheLineEnd) {
  // 8-bit, 4 pixels, 2 rows: 0xC5 0x07 gives five 7s, the fifth is dropped; 0xC0 gives none.
  TBytes f = PCXHeader(5, 8, 1, 4, 2, 4);
  f.insert(f.end(), {0xC5, 7, 0xC0, 9, 1, 2, 3, 4});
  f.push_back(12);
  for (int i = 0; i < 256; ++i) f.insert(f.end(), {static_cast<std::uint8_t>(i), 0, 0});
  TPixelGraphic image;
  LoadBytes(image, f);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(image.Pixel(x, 0), 7u);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(image.Pixel(x, 1), static_cast<TRGB>(x + 1));
  EXPECT_EQ(image.PixelColor(3, 1), RGBColor(4, 0, 0));
}

TEST_F(PCXTest, OneBitRowsClearOnlyTheBitsAfterTheLastPixel) {
  // 9 pixels wide: the second byte keeps only its top bit.
  TBytes f = PCXHeader(5, 1, 1, 9, 2, 2);
  f.insert(f.end(), {0xC2, 0xFF, 0x00, 0xC1, 0xFF});
  TPixelGraphic image;
  LoadBytes(image, f);
  ASSERT_EQ(image.PixelFormat(), pf1Bit);
  EXPECT_EQ(image.ScanLine(0)[1], 0x80);
  EXPECT_EQ(image.Pixel(8, 0), 1u);
  EXPECT_EQ(image.Pixel(8, 1), 1u);
  EXPECT_EQ(image.Pixel(0, 1), 0u);

  // 8 pixels wide: both rows keep all their pixels (nothing beyond the row is cleared).
  TBytes g = PCXHeader(5, 1, 1, 8, 2, 2);
  g.insert(g.end(), {0xC1, 0xFF, 0xAA, 0xC1, 0xFF, 0xAA});
  LoadBytes(image, g);
  EXPECT_EQ(image.ScanLine(0)[0], 0xFF);
  EXPECT_EQ(image.ScanLine(1)[0], 0xFF);
}

TEST_F(PCXTest, SixteenColourPalettes) {
  // Version 3: the system palette whatever the header map says; version 5: the header map.
  TBytes f = PCXHeader(3, 1, 4, 1, 1, 1);
  f.insert(f.end(), {0x80, 0x00, 0x00, 0x80});  // planes 0 and 3 set: index 9
  TPixelGraphic image;
  LoadBytes(image, f);
  EXPECT_EQ(image.PaletteIdent(), pSys16);
  EXPECT_EQ(image.Pixel(0, 0), 9u);
  f[1] = 5;
  LoadBytes(image, f);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(135, 140, 145));
}

TEST_F(PCXTest, UnsupportedAndBrokenFilesAreRefused) {
  TPixelGraphic image;
  TBytes body = {1, 2, 3, 4};
  auto with = [&](TBytes h) {
    h.insert(h.end(), body.begin(), body.end());
    return h;
  };
  EXPECT_PG_ERROR(LoadBytes(image, with(PCXHeader(5, 8, 3, 1, 1, 1, 2))), EPGPCXFileFormatReader,
                  "PCX: Unknown subformat");
  EXPECT_PG_ERROR(LoadBytes(image, with(PCXHeader(5, 8, 3, 1, 1, 1, 0))), EPGPCXFileFormatReader,
                  "PCX: Unknown subformat");
  EXPECT_PG_ERROR(LoadBytes(image, with(PCXHeader(5, 2, 2, 1, 1, 1))), EPGPCXFileFormatReader,
                  "PCX: Unknown subformat");
  EXPECT_PG_ERROR(LoadBytes(image, with(PCXHeader(5, 4, 4, 1, 1, 1))), EPGPCXFileFormatReader,
                  "PCX: Unknown subformat");
  // Bytes per line shorter than the width needs.
  EXPECT_PG_ERROR(LoadBytes(image, with(PCXHeader(5, 8, 3, 4, 1, 3))), EPGPCXFileFormatReader,
                  "PCX: Unknown subformat");
  // 8-bit files without room for the palette, or without its marker.
  EXPECT_PG_ERROR(LoadBytes(image, with(PCXHeader(5, 8, 1, 1, 1, 1))), EPGPCXFileFormatReader,
                  "PCX: Unknown subformat");
  TBytes noMarker = PCXHeader(5, 8, 1, 1, 1, 1);
  noMarker.resize(128 + 2 + 769, 0);
  EXPECT_PG_ERROR(LoadBytes(image, noMarker), EPGPCXFileFormatReader, "PCX: Unknown subformat");
  // Data ending before the last line.
  TBytes shortData = PCXHeader(5, 8, 3, 2, 2, 2);
  shortData.insert(shortData.end(), {1, 2, 3});
  EXPECT_PG_ERROR(LoadBytes(image, shortData), EPGPCXFileFormatReader,
                  "PCX: Unexpected end of file");
  // Extents that end before they start.
  TBytes negative = PCXHeader(5, 8, 3, 1, 1, 1);
  negative[4] = 5;
  EXPECT_PG_ERROR(LoadBytes(image, with(negative)), EPGPCXFileFormatReader,
                  "PCX: Image size out of range");
  // A huge image whose data cannot exist.
  TBytes huge = PCXHeader(5, 8, 3, 1, 1, 1);
  huge[8] = 59999 & 0xFF;
  huge[9] = 59999 >> 8;
  huge[10] = huge[11] = 0xFF;
  huge[66] = 60000 & 0xFF;
  huge[67] = 60000 >> 8;
  EXPECT_PG_ERROR(LoadBytes(image, with(huge)), EPGPCXFileFormatReader,
                  "PCX: Image size out of range");
}

TEST_F(PCXTest, InfoTexts) {
  TPCXFileFormatReader reader;
  TPGMemoryStream s(PCXHeader(2, 8, 3, 7, 5, 7));
  const TPGFileInfo info = reader.GetInfo(s, 0, CaptureFormatContext());
  EXPECT_EQ(info.BitsPerPixel, 24);
  EXPECT_EQ(info.ColorsText, "16.7M");
  EXPECT_EQ(info.VersionText, "Version 2.8 (2) with Palette");
  EXPECT_EQ(info.Width, 7);
  EXPECT_EQ(info.Height, 5);
  TPGMemoryStream t(PCXHeader(5, 1, 1, 7, 5, 1, 0));
  EXPECT_PG_ERROR(reader.GetInfo(t, 0, CaptureFormatContext()), EPGPCXFileFormatReader,
                  "PCX: Unknown subformat");
}

}  // namespace
