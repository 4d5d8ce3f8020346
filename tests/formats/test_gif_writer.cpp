// WriteGIFFile: file layout, colour table, LZW, interlace and transparency, read back through
// our reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "tests/formats/GIFTestUtil.h"
#include "imaging/formats/ExtraReaders.h"
#include "imaging/formats/GIFWriter.h"

namespace {

const bool kRegistered = [] {
  InitFormatLibrary();
  RegisterGIFAndIconReaders();
  return true;
}();

TRGB Colour(int i) { return RGBColor(i, (i * 7) & 0xFF, 255 - i); }

// A true-colour picture using exactly `colors` colours, noisy enough to fill the LZW table.
void MakePicture(TPixelGraphic& image, int width, int height, int colors, unsigned seed) {
  image.SetSize(width, height, pf24Bit);
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int i = (y * width + x) < colors ? (y * width + x)
                                             : static_cast<int>(random() % colors);
      image.SetPixel(x, y, Colour(i));
    }
}

TBytes Encode(const TPixelGraphic& image, bool interlaced = false, TRGB transparentColor = 0,
              bool transparent = false) {
  TBytes out;
  EXPECT_TRUE(EncodeGIF(image, interlaced, transparentColor, transparent, out));
  return out;
}

void ExpectSameColours(const TPixelGraphic& a, const TPixelGraphic& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  int bad = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.PixelColor(x, y) != b.PixelColor(x, y) && ++bad < 5)
        ADD_FAILURE() << "pixel " << x << "," << y;
}

// Offset of the graphic control extension: after the screen descriptor and global table.
std::size_t ControlOffset(const TBytes& gif) { return 13 + (std::size_t{3} << ((gif[10] & 7) + 1)); }

}  // namespace

TEST(GIFWriter, RoundTripsEveryPaletteSize) {
  for (int colors = 2; colors <= 256; ++colors) {
    TPixelGraphic picture, back;
    MakePicture(picture, 97, 61, colors, static_cast<unsigned>(colors));
    const TBytes gif = Encode(picture);
    LoadBytes(back, gif, "gif");
    int bits = 1;
    while ((1 << bits) < colors) ++bits;
    EXPECT_EQ(back.PaletteCount(), 1 << bits) << colors;
    ExpectSameColours(picture, back);
    if (HasFailure()) {
      ADD_FAILURE() << "with " << colors << " colours";
      return;
    }
  }
}

TEST(GIFWriter, LargeNoisyPicturesClearTheFullTableAndStillRoundTrip) {
  TPixelGraphic picture, back;
  MakePicture(picture, 640, 480, 256, 7);
  LoadBytes(back, Encode(picture), "gif");
  ExpectSameColours(picture, back);
}

TEST(GIFWriter, PaletteSourcesAreWrittenByColour) {
  TPixelGraphic picture, back;
  picture.SetSize(13, 5, pf4Bit);
  picture.SetPaletteCount(16);
  for (int i = 0; i < 16; ++i) picture.SetPaletteColor(i, Colour(i * 9));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 13; ++x) picture.SetPixel(x, y, static_cast<TRGB>((x + y) % 16));
  LoadBytes(back, Encode(picture), "gif");
  ExpectSameColours(picture, back);
}

TEST(GIFWriter, EightBitSourcesWithRepeatedPaletteColoursShareOneTableEntry) {
  TPixelGraphic picture, back;
  picture.SetSize(20, 10, pf8Bit);
  picture.SetPaletteCount(256);
  for (int i = 0; i < 256; ++i) picture.SetPaletteColor(i, Colour(i % 3));  // three colours
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) picture.SetPixel(x, y, static_cast<TRGB>((x * 7 + y) % 256));
  const TBytes gif = Encode(picture, false, Colour(2), true);
  EXPECT_EQ(gif[10], 0x80 | 1);  // four entries hold the three colours
  const std::size_t c = ControlOffset(gif);
  EXPECT_EQ(gif[c + 3], 1);
  LoadBytes(back, gif, "gif");
  ExpectSameColours(picture, back);
  EXPECT_EQ(back.PaletteColor(gif[c + 6]), Colour(2));
}

TEST(GIFWriter, FileLayoutOfATwoColourPicture) {
  TPixelGraphic picture;
  picture.SetSize(3, 2, pf24Bit);
  picture.SetPixel(1, 1, RGBColor(10, 20, 30));
  const TBytes gif = Encode(picture);
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
  EXPECT_EQ(GetLE16(&gif[6]), 3);
  EXPECT_EQ(GetLE16(&gif[8]), 2);
  EXPECT_EQ(gif[10], 0x80);  // global table of 2 entries
  // Colours in order of first appearance: black, then (10, 20, 30).
  EXPECT_EQ(TBytes(gif.begin() + 13, gif.begin() + 19), (TBytes{0, 0, 0, 10, 20, 30}));
  EXPECT_EQ(TBytes(gif.begin() + 19, gif.begin() + 27), (TBytes{0x21, 0xF9, 4, 0, 0, 0, 0, 0}));
  EXPECT_EQ(gif[27], 0x2C);
  EXPECT_EQ(gif[36], 0);     // not interlaced, no local table
  EXPECT_EQ(gif[37], 2);     // minimum code size 2 for a 1-bit table
  EXPECT_EQ(gif.back(), 0x3B);
}

TEST(GIFWriter, HundredColoursGiveA128EntryTableEndingInBlack) {
  TPixelGraphic picture;
  MakePicture(picture, 10, 10, 100, 1);
  const TBytes gif = Encode(picture);
  EXPECT_EQ(gif[10], 0x80 | 6);
  for (int i = 100; i < 128; ++i)
    EXPECT_EQ(TBytes(gif.begin() + 13 + 3 * i, gif.begin() + 16 + 3 * i), (TBytes{0, 0, 0}));
}

TEST(GIFWriter, InterlacedRowsAreStoredInPassOrder) {
  TPixelGraphic picture, back;
  picture.SetSize(2, 3, pf24Bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) picture.SetPixel(x, y, Colour(y * 40));
  TBytes gif = Encode(picture, true);
  EXPECT_EQ(gif[ControlOffset(gif) + 8 + 9], 0x40);
  LoadBytes(back, gif, "gif");
  ExpectSameColours(picture, back);
  // Read as if it were not interlaced, the stored rows are 0, 2, 1.
  gif[ControlOffset(gif) + 8 + 9] = 0;
  LoadBytes(back, gif, "gif");
  EXPECT_EQ(back.PixelColor(0, 0), Colour(0));
  EXPECT_EQ(back.PixelColor(0, 1), Colour(80));
  EXPECT_EQ(back.PixelColor(0, 2), Colour(40));

  TPixelGraphic large, largeBack;
  MakePicture(large, 50, 77, 200, 3);
  LoadBytes(largeBack, Encode(large, true), "gif");
  ExpectSameColours(large, largeBack);
}

TEST(GIFWriter, TransparencyMarksTheFirstMatchingIndexOnlyWhenTheColourOccurs) {
  TPixelGraphic picture;
  MakePicture(picture, 8, 8, 20, 5);
  TBytes gif = Encode(picture, false, Colour(7), true);
  std::size_t c = ControlOffset(gif);
  EXPECT_EQ(gif[c + 3], 1);
  EXPECT_EQ(gif[c + 6], 7);  // the first seven pixels hold colours 0..6
  gif = Encode(picture, false, RGBColor(1, 2, 3), true);
  EXPECT_EQ(gif[c + 3], 0);
  EXPECT_EQ(gif[c + 6], 0);
  gif = Encode(picture, false, Colour(7), false);
  EXPECT_EQ(gif[c + 3], 0);
}

TEST(GIFWriter, MoreThan256ColoursWriteNothing) {
  TPixelGraphic picture;
  picture.SetSize(300, 1, pf24Bit);
  for (int x = 0; x < 300; ++x) picture.SetPixel(x, 0, RGBColor(x & 0xFF, x >> 8, 0));
  const std::string name = ::testing::TempDir() + "/lumivex_too_many.gif";
  std::remove(name.c_str());
  EXPECT_FALSE(WriteGIFFile(name, picture, false, 0, false));
  EXPECT_EQ(GIFWriteStatus(), gwsTooManyColors);
  EXPECT_EQ(std::fopen(name.c_str(), "rb"), nullptr);
}

TEST(GIFWriter, WritesTheFile) {
  TPixelGraphic picture, back;
  MakePicture(picture, 33, 21, 40, 9);
  const std::string name = ::testing::TempDir() + "/lumivex_written.gif";
  ASSERT_TRUE(WriteGIFFile(name, picture, true, Colour(3), true));
  EXPECT_EQ(GIFWriteStatus(), gwsOK);
  LoadFromFile(back, name);
  ExpectSameColours(picture, back);
  std::remove(name.c_str());
}
