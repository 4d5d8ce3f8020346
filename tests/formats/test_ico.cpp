// Icon reader: bitmap entries built here bit by bit, a PNG entry made by Pillow, directory
// checks and damaged files.
#include <gtest/gtest.h>

#include "tests/formats/GoldenUtil.h"
#include "imaging/formats/ExtraReaders.h"
#include "imaging/formats/ICOFormat.h"

namespace {

const bool kRegistered = [] {
  InitFormatLibrary();
  RegisterGIFAndIconReaders();
  return true;
}();

void Put16(TBytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(TBytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::size_t Row(int width, int bits) { return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4; }

// Colour table entry i is (i, 2i, 255 - i); pixel (x, y) has index (x + y) mod colours and is
// masked when (x + 2y) mod 7 == 0.
TBytes BitmapEntry(int width, int height, int bits) {
  TBytes b;
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(width));
  Put32(b, static_cast<std::uint32_t>(2 * height));
  Put16(b, 1);
  Put16(b, bits);
  b.resize(40, 0);
  const int colors = 1 << bits;
  for (int i = 0; i < colors; ++i) {
    b.push_back(static_cast<std::uint8_t>(255 - i));  // blue
    b.push_back(static_cast<std::uint8_t>(2 * i));    // green
    b.push_back(static_cast<std::uint8_t>(i));        // red
    b.push_back(0);
  }
  const std::size_t colorRow = Row(width, bits), maskRow = Row(width, 1);
  for (int y = height - 1; y >= 0; --y) {  // bottom row first
    TBytes row(colorRow, 0);
    for (int x = 0; x < width; ++x) {
      const int v = (x + y) % colors;
      if (bits == 8) row[x] = static_cast<std::uint8_t>(v);
      else if (bits == 4) row[x / 2] |= static_cast<std::uint8_t>(v << ((x & 1) ? 0 : 4));
      else row[x / 8] |= static_cast<std::uint8_t>(v << (7 - x % 8));
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  for (int y = height - 1; y >= 0; --y) {
    TBytes row(maskRow, 0);
    for (int x = 0; x < width; ++x)
      if ((x + 2 * y) % 7 == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

TBytes MakeIcon(const std::vector<TBytes>& entries, int type = 1) {
  TBytes b;
  Put16(b, 0);
  Put16(b, type);
  Put16(b, static_cast<int>(entries.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
  for (const TBytes& e : entries) {
    b.insert(b.end(), {0, 0, 0, 0});
    Put16(b, 1);
    Put16(b, 0);
    Put32(b, static_cast<std::uint32_t>(e.size()));
    Put32(b, offset);
    offset += static_cast<std::uint32_t>(e.size());
  }
  for (const TBytes& e : entries) b.insert(b.end(), e.begin(), e.end());
  return b;
}

TRGB Expected(int x, int y, int bits) {
  if ((x + 2 * y) % 7 == 0) return 0xFFFFFF;
  const int i = (x + y) % (1 << bits);
  return RGBColor(i, (2 * i) & 0xFF, 255 - i);
}

void ExpectIcon(const TPixelGraphic& image, int width, int height, int bits) {
  ASSERT_EQ(image.Width(), width);
  ASSERT_EQ(image.Height(), height);
  EXPECT_EQ(image.PixelFormat(), pf24Bit);
  EXPECT_TRUE(image.Transparent);
  EXPECT_EQ(image.TransparentColor, 0xFFFFFFu);
  int bad = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (image.PixelColor(x, y) != Expected(x, y, bits) && ++bad < 5)
        ADD_FAILURE() << bits << "-bit pixel " << x << "," << y;
}

std::string LoadError(const TBytes& bytes, int index = 0) {
  TPixelGraphic image;
  TPGMemoryStream stream(bytes);
  try {
    LoadFromStreamExt(image, stream, "ico", index);
  } catch (const EPixelGraphic& e) {
    return e.what();
  }
  return {};
}

}  // namespace

TEST(ICOReader, BitmapEntriesOfEveryDepthWithTheirMasks) {
  for (int bits : {1, 4, 8})
    for (int size : {8, 24, 32, 64}) {
      TPixelGraphic image;
      LoadBytes(image, MakeIcon({BitmapEntry(size, size, bits)}));
      ExpectIcon(image, size, size, bits);
    }
  // A 24 x 24 monochrome icon: 4-byte rows, 240 bytes in all.
  EXPECT_EQ(BitmapEntry(24, 24, 1).size(), 240u);
}

TEST(ICOReader, EntriesAreChosenByIndex) {
  const TBytes icon = MakeIcon({BitmapEntry(16, 16, 4), BitmapEntry(32, 32, 8)});
  TPixelGraphic image;
  TPGMemoryStream stream(icon);
  LoadFromStreamExt(image, stream, "ico", 1);
  ExpectIcon(image, 32, 32, 8);
  EXPECT_EQ(LoadError(icon, 2), "Index out of bounds");
  EXPECT_EQ(LoadError(MakeIcon({BitmapEntry(16, 16, 4)}), 1), "Index out of bounds");
}

// The reference of the Pillow icon was composited onto white.
TEST(ICOReader, PNGEntriesAreBlendedOntoTheBackgroundColour) {
  TPixelGraphic image;
  LoadFromFile(image, DataPath("pil_rgba_png.ico"));
  EXPECT_FALSE(image.Transparent);
  EXPECT_EQ(image.PixelColor(0, 0), 0u);  // alpha 0 on the default black background
  image.SetBackGroundColor(0xFFFFFF);
  LoadFromFile(image, DataPath("pil_rgba_png.ico"));
  EXPECT_EQ(image.PixelColor(0, 0), 0xFFFFFFu);
  TPixelGraphic reference;
  LoadFromFile(reference, DataPath("pil_rgba_png.ico.white.ppm"));
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      ASSERT_EQ(image.PixelColor(x, y), reference.PixelColor(x, y)) << x << "," << y;
  // A 256-pixel PNG entry (its directory sides are 0) written by ImageMagick, against
  // Pillow's decode on black.
  ExpectMatchesReference("im_png256.ico", "im_png256.ico.near.ppm", 0, 1);
}

namespace {

// A 24 or 32-bit entry: pixel (x, y) is (4x, 4y, 100), alpha (x + y) x 8 for 32 bits, and
// the mask bit is set where (x + 2y) mod 7 == 0; `maskRows` of the mask are stored.
TBytes TrueColorEntry(int width, int height, int bits, bool alpha, int maskRows = -1) {
  TBytes b;
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(width));
  Put32(b, static_cast<std::uint32_t>(2 * height));
  Put16(b, 1);
  Put16(b, bits);
  b.resize(40, 0);
  const std::size_t colorRow = Row(width, bits), maskRow = Row(width, 1);
  for (int y = height - 1; y >= 0; --y) {
    TBytes row(colorRow, 0);
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &row[static_cast<std::size_t>(x) * (bits / 8)];
      p[0] = 100;
      p[1] = static_cast<std::uint8_t>(4 * y);
      p[2] = static_cast<std::uint8_t>(4 * x);
      if (bits == 32) p[3] = alpha ? static_cast<std::uint8_t>(std::min(255, (x + y) * 8)) : 0;
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  if (maskRows < 0) maskRows = height;
  for (int y = height - 1; y >= height - maskRows; --y) {
    TBytes row(maskRow, 0);
    for (int x = 0; x < width; ++x)
      if ((x + 2 * y) % 7 == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

}  // namespace

TEST(ICOReader, TrueColourEntriesWithMaskOrAlpha) {
  // 24 bits: the mask makes pixels white, the image is transparent in white.
  TPixelGraphic image;
  LoadBytes(image, MakeIcon({TrueColorEntry(20, 12, 24, false)}));
  ASSERT_EQ(image.Width(), 20);
  EXPECT_TRUE(image.Transparent);
  EXPECT_EQ(image.PixelColor(0, 0), 0xFFFFFFu);
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(4, 0, 100));
  EXPECT_EQ(image.PixelColor(3, 5), RGBColor(12, 20, 100));
  // 32 bits whose alpha is 0 everywhere: the mask decides, as for 24 bits.
  LoadBytes(image, MakeIcon({TrueColorEntry(20, 12, 32, false)}));
  EXPECT_TRUE(image.Transparent);
  EXPECT_EQ(image.PixelColor(0, 0), 0xFFFFFFu);
  EXPECT_EQ(image.PixelColor(3, 5), RGBColor(12, 20, 100));
  // 32 bits with alpha: blended onto the background colour, the mask unused.
  image.SetBackGroundColor(RGBColor(0, 0, 255));
  LoadBytes(image, MakeIcon({TrueColorEntry(40, 40, 32, true)}));
  EXPECT_FALSE(image.Transparent);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0, 0, 255));           // alpha 0
  EXPECT_EQ(image.PixelColor(20, 20), RGBColor(80, 80, 100));       // alpha 255 (clamped)
  EXPECT_EQ(image.PixelColor(8, 8), RGBColor(16, 16, 177));         // alpha 128
  // A 32-bit entry whose mask is cut short still loads; a 256-pixel entry loads.
  LoadBytes(image, MakeIcon({TrueColorEntry(16, 16, 32, true, 3)}));
  EXPECT_EQ(image.Width(), 16);
  LoadBytes(image, MakeIcon({TrueColorEntry(256, 256, 24, false)}));
  EXPECT_EQ(image.Height(), 256);
  // The colour bitmap itself must be complete; sides above 256 are refused.
  TBytes cut = TrueColorEntry(16, 16, 24, false);
  cut.resize(40 + 16 * 48 - 1);
  EXPECT_EQ(LoadError(MakeIcon({cut})), "Index out of bounds");
  TBytes wide = TrueColorEntry(16, 16, 24, false);
  PutLE32(&wide[4], 257);
  EXPECT_EQ(LoadError(MakeIcon({wide})), "Index out of bounds");
}

// A 32-bit icon with alpha written by ImageMagick, against Pillow's decode on black.
TEST(ICOReader, AlphaIconFromImageMagick) {
  ExpectMatchesReference("im_rgba32.ico", "im_rgba32.ico.ppm", 0, 1);
}

TEST(ICOReader, DirectoryFieldsLeftAtZeroAndShortColourTables) {
  // Planes 0 and colour count 0 in the directory: the bitmap header says what the entry is.
  TBytes icon = MakeIcon({BitmapEntry(16, 16, 1)});
  icon[6 + 4] = 0;
  TPixelGraphic image;
  LoadBytes(image, icon);
  ExpectIcon(image, 16, 16, 1);
  // Colours used 3 in a 4-bit entry: a 3-entry table.
  TBytes entry = BitmapEntry(8, 8, 4);
  entry.erase(entry.begin() + 40 + 12, entry.begin() + 40 + 64);
  PutLE32(&entry[32], 3);
  LoadBytes(image, MakeIcon({entry}));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(1, 2, 254));
  EXPECT_EQ(image.PixelColor(4, 0), RGBColor(0, 0, 0));  // index 4: beyond the table
}

TEST(ICOReader, EntriesTheReaderCannotTakeAreRefused) {
  TBytes big = BitmapEntry(64, 64, 8);
  big[4] = 72;  // 72 pixels wide
  EXPECT_EQ(LoadError(MakeIcon({big})), "Index out of bounds");
  TBytes deep = BitmapEntry(48, 48, 8);
  deep[14] = 32;
  EXPECT_EQ(LoadError(MakeIcon({deep})), "Index out of bounds");
  TBytes padded = BitmapEntry(16, 16, 4);
  padded.push_back(0);  // byte count one more than the image needs
  EXPECT_EQ(LoadError(MakeIcon({padded})), "Index out of bounds");
  // An entry too short to hold a bitmap header.
  EXPECT_EQ(LoadError(MakeIcon({TBytes(20, 0)})), "Index out of bounds");
}

TEST(ICOReader, DirectoriesThatDoNotFitTheFileAreNotIcons) {
  TBytes icon = MakeIcon({BitmapEntry(16, 16, 4)});
  TBytes cut(icon.begin(), icon.end() - 1);  // the entry's data runs past the end
  EXPECT_EQ(LoadError(cut), "Not an Icon file");
  // Offset + byte count overflow 32 bits.
  TBytes wrap = icon;
  PutLE32(&wrap[6 + 8], 0xFFFFFFF0u);
  PutLE32(&wrap[6 + 12], 0x20u);
  EXPECT_EQ(LoadError(wrap), "Not an Icon file");
  // Count larger than the directory the file holds.
  TBytes many = icon;
  PutLE16(&many[4], 4000);
  EXPECT_EQ(LoadError(many), "Not an Icon file");
  // Cursor files are recognised by the directory check but not loaded.
  TPixelGraphic image;
  TPGMemoryStream cursor(MakeIcon({BitmapEntry(16, 16, 4)}, 2));
  EXPECT_THROW(tIcoFileFormatReader().ReadFromStream(cursor, image, 0, CaptureFormatContext()),
               EPixelGraphic);
  EXPECT_FALSE(tIcoFileFormatReader().CheckHeader(MakeIcon({BitmapEntry(16, 16, 4)}, 2).data()));
}

TEST(ICOReader, InformationQuery) {
  TPGMemoryStream two(MakeIcon({BitmapEntry(16, 16, 4), BitmapEntry(32, 32, 8)}));
  TPGFileInfo info = tIcoFileFormatReader().GetInfo(two, 0, CaptureFormatContext());
  EXPECT_EQ(info.ImageCount, 2);
  EXPECT_EQ(info.Width, 16);
  EXPECT_EQ(info.Height, 16);
  EXPECT_EQ(info.BitsPerPixel, 4);
  EXPECT_EQ(info.ColorsText, "");
  EXPECT_EQ(info.VersionText, "Sizes 16..32");
  EXPECT_EQ(info.DescriptionText, "Colors 16..256");
  TPGMemoryStream one(MakeIcon({BitmapEntry(24, 24, 1)}));
  info = tIcoFileFormatReader().GetInfo(one, 0, CaptureFormatContext());
  EXPECT_EQ(info.ImageCount, 1);
  EXPECT_EQ(info.ColorsText, "2");
  TPGMemoryStream junk(TBytes(30, 7));
  EXPECT_THROW(tIcoFileFormatReader().GetInfo(junk, 0, CaptureFormatContext()), EPixelGraphic);
}

TEST(ICOReader, AbortStopsAtTheRowAndKeepsTheRestBlack) {
  TPixelGraphic image;
  TAbortAfter abort(image, 4);
  LoadBytes(image, MakeIcon({BitmapEntry(16, 16, 8)}));
  EXPECT_EQ(abort.Steps, 4);
  EXPECT_EQ(abort.Ends, 1);
  EXPECT_EQ(image.PixelColor(1, 3), Expected(1, 3, 8));
  EXPECT_EQ(image.PixelColor(1, 4), 0u);
}

TEST(ICOReader, EveryTruncationFailsCleanly) {
  const TBytes whole = MakeIcon({BitmapEntry(16, 16, 4), BitmapEntry(8, 8, 1)});
  for (std::size_t n = 0; n < whole.size(); n += 3) {
    const TBytes part(whole.begin(), whole.begin() + static_cast<long>(n));
    EXPECT_NE(LoadError(part), "") << n;
  }
}
