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

TEST(ICOReader, PNGEntriesGoThroughThePNGReaderOnWhite) {
  TPixelGraphic image;
  LoadFromFile(image, DataPath("pil_rgba_png.ico"));
  EXPECT_TRUE(image.Transparent);
  EXPECT_EQ(image.PixelColor(0, 0), 0xFFFFFFu);  // alpha 0
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
