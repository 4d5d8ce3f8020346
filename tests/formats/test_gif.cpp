// GIF reader: golden samples, hand-made code streams at the decoder's edges, and damaged files.
#include <gtest/gtest.h>

#include "tests/formats/GIFTestUtil.h"
#include "tests/formats/GoldenUtil.h"
#include "imaging/formats/ExtraReaders.h"
#include "imaging/formats/GIFFormat.h"

namespace {

const bool kRegistered = [] {
  InitFormatLibrary();
  RegisterGIFAndIconReaders();
  return true;
}();

// Literal codes as our decoder widens them: one table entry per code after the first one
// following a clear code; the width grows when the next free code reaches a power of two.
class TLiteralStream {
 public:
  explicit TLiteralStream(int minCodeSize) : FMin(minCodeSize), FWidth(minCodeSize + 1) {
    Clear();
  }
  void Clear() {
    W.Put(1 << FMin, FWidth);
    FWidth = FMin + 1;
    FNext = (1 << FMin) + 2;
    FFirst = true;
  }
  void Literal(int v) {
    W.Put(v, FWidth);
    if (FFirst) {
      FFirst = false;
      return;
    }
    if (FNext < 4096) {
      ++FNext;
      if (FNext >= (1 << FWidth) && FWidth < 12) ++FWidth;
    }
  }
  void End() { W.Put((1 << FMin) + 1, FWidth); }
  TCodeWriter W;

 private:
  int FMin;
  int FWidth = 0;
  int FNext = 0;
  bool FFirst = true;
};

TPixelGraphic& Load(TPixelGraphic& image, const TBytes& bytes, int index = 0) {
  TPGMemoryStream stream(bytes);
  LoadFromStreamExt(image, stream, "gif", index);
  return image;
}

TPGFileInfo Info(const TBytes& bytes, int index = 0) {
  TPGMemoryStream stream(bytes);
  return tGifFileFormatReader().GetInfo(stream, index, CaptureFormatContext());
}

TGIFFrame LiteralFrame(int width, int height, int minCodeSize, const std::vector<int>& values,
                       int localBits = 0) {
  TLiteralStream s(minCodeSize);
  for (int v : values) s.Literal(v);
  s.End();
  TGIFFrame f;
  f.Width = width;
  f.Height = height;
  f.MinCodeSize = minCodeSize;
  f.LocalBits = localBits;
  f.Data = s.W.Finish();
  return f;
}

}  // namespace

TEST(GIFReader, PixelFormatAndPaletteFollowTheTableBits) {
  TPixelGraphic image;
  LoadFromFile(image, DataPath("im_pal8_interlaced.gif"));
  EXPECT_EQ(image.PixelFormat(), pf4Bit);
  EXPECT_EQ(image.PaletteCount(), 8);
  // The second frame has its own 32-entry table.
  LoadFromFileIndex(image, DataPath("im_two_frames.gif"), 1);
  EXPECT_EQ(image.PixelFormat(), pf8Bit);
  EXPECT_EQ(image.PaletteCount(), 32);
  EXPECT_EQ(image.Width(), 11);
  EXPECT_EQ(image.Height(), 9);

  const TBytes two = MakeGIF({LiteralFrame(2, 1, 2, {1, 0})}, 1);
  Load(image, two);
  EXPECT_EQ(image.PixelFormat(), pf1Bit);
  EXPECT_EQ(image.PaletteCount(), 2);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(1, 254, 3));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(0, 255, 0));
}

// Sets the transparency flag and index in the graphic control block before frame `frame`.
void MarkTransparent(TBytes& gif, int frame, int index) {
  int seen = 0;
  for (std::size_t i = 0; i + 7 < gif.size(); ++i)
    if (gif[i] == 0x21 && gif[i + 1] == 0xF9 && gif[i + 2] == 4 && seen++ == frame) {
      gif[i + 3] |= 1;
      gif[i + 6] = static_cast<std::uint8_t>(index);
      return;
    }
  FAIL() << "no graphic control block for frame " << frame;
}

class GIFTrueColor : public FormatTest {};

TEST_F(GIFTrueColor, TransparentIndexShowsTheImagesBackgroundColour) {
  TBytes gif = MakeGIF({LiteralFrame(4, 1, 2, {0, 1, 2, 3}), LiteralFrame(4, 1, 2, {2, 2, 1, 0})}, 2);
  MarkTransparent(gif, 0, 2);
  TPixelGraphic image;
  image.SetSize(1, 1, pf24Bit);
  image.SetBackGroundColor(RGBColor(10, 20, 30));

  // By default the picture keeps its palette and every index, the transparent one included.
  Load(image, gif);
  EXPECT_EQ(image.PixelFormat(), pf4Bit);
  EXPECT_EQ(Indexes(image), (std::vector<int>{0, 1, 2, 3}));

  ChangeFormatSettings([](TPGFormatSettings& s) { s.GIFReadTrueColor = true; });
  image.SetSize(1, 1, pf24Bit);
  image.SetBackGroundColor(RGBColor(10, 20, 30));
  Load(image, gif);
  EXPECT_EQ(image.PixelFormat(), pf24Bit);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0, 255, 0));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(1, 254, 3));
  EXPECT_EQ(image.PixelColor(2, 0), RGBColor(10, 20, 30));
  EXPECT_EQ(image.PixelColor(3, 0), RGBColor(3, 252, 9));

  // A graphic control block governs the next image only: the second frame is opaque.
  image.SetSize(1, 1, pf24Bit);
  image.SetBackGroundColor(RGBColor(10, 20, 30));
  Load(image, gif, 1);
  EXPECT_EQ(image.PixelFormat(), pf24Bit);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(2, 253, 6));
  EXPECT_EQ(image.PixelColor(3, 0), RGBColor(0, 255, 0));
}

TEST_F(GIFTrueColor, GoldenFileMatchesItsDecodeOverBlack) {
  // Made with Pillow: a 2-bit table with index 1 transparent; the reference is Pillow's RGBA
  // decode composited over black, the image's default background.
  ChangeFormatSettings([](TPGFormatSettings& s) { s.GIFReadTrueColor = true; });
  ExpectMatchesReference("pil_transparent.gif", "pil_transparent.gif.truecolor.ppm");
  TPixelGraphic image;
  LoadFromFile(image, DataPath("pil_transparent.gif"));
  EXPECT_EQ(image.PixelFormat(), pf24Bit);
}

TEST_F(GIFTrueColor, DataEndingEarlyLeavesIndexZeroColour) {
  // Two of four pixels, then the end of the data.
  TBytes gif = MakeGIF({LiteralFrame(2, 2, 2, {3, 1})}, 2);
  MarkTransparent(gif, 0, 0);
  ChangeFormatSettings([](TPGFormatSettings& s) { s.GIFReadTrueColor = true; });
  TPixelGraphic image;
  Load(image, gif);
  ASSERT_EQ(image.PixelFormat(), pf24Bit);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(3, 252, 9));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(1, 254, 3));
  // Index 0 is the transparent one here: the unreached pixels show the background (black).
  EXPECT_EQ(image.PixelColor(0, 1), RGBColor(0, 0, 0));
  EXPECT_EQ(image.PixelColor(1, 1), RGBColor(0, 0, 0));
}

TEST(GIFReader, EveryMinimumCodeSizeDecodes) {
  for (int s = 1; s <= 8; ++s) {
    const int tableBits = std::max(1, s);
    std::vector<int> values;
    for (int i = 0; i < 600; ++i) values.push_back((i * 7 + i / 5) % (1 << tableBits));
    TPixelGraphic image;
    Load(image, MakeGIF({LiteralFrame(30, 20, s, values)}, tableBits));
    EXPECT_EQ(Indexes(image), values) << "minimum code size " << s;
  }
}

TEST(GIFReader, CodeSizeStaysAtTwelveBitsOnceTheTableIsFullUntilAClear) {
  // 5000 literals fill the table (4096 codes) and go on at 12 bits; then a clear code
  // (12 bits wide) starts again at 9 bits.
  TLiteralStream s(8);
  std::vector<int> values;
  for (int i = 0; i < 5000; ++i) {
    values.push_back((i * 31) & 0xFF);
    s.Literal(values.back());
  }
  s.Clear();
  for (int i = 0; i < 100; ++i) {
    values.push_back(i);
    s.Literal(i);
  }
  s.End();
  TGIFFrame f;
  f.Width = 100;
  f.Height = 51;
  f.MinCodeSize = 8;
  f.Data = s.W.Finish();
  TPixelGraphic image;
  Load(image, MakeGIF({f}, 8));
  EXPECT_EQ(Indexes(image), values);
}

TEST(GIFReader, CodeEqualToTheNextFreeCodeRepeatsThePreviousStringPlusItsFirstValue) {
  TCodeWriter w;
  w.Put(4, 3);  // clear
  w.Put(1, 3);  // 1
  w.Put(6, 3);  // next free code: "1 1"
  w.Put(7, 3);  // again: "1 1 1"
  w.Put(5, 4);  // end (the width grew to 4 bits once code 8 was next)
  TGIFFrame f;
  f.Width = 6;
  f.Height = 1;
  f.Data = w.Finish();
  TPixelGraphic image;
  Load(image, MakeGIF({f}, 2));
  EXPECT_EQ(Indexes(image), (std::vector<int>{1, 1, 1, 1, 1, 1}));
}

TEST(GIFReader, ClearCodesInOddPlaces) {
  TLiteralStream s(2);
  s.Clear();  // a second clear right after the first
  s.Clear();
  s.Literal(3);
  s.Literal(2);
  s.Clear();  // between pixels
  s.Literal(1);
  s.Literal(0);
  s.Clear();  // right before the end code
  s.End();
  TGIFFrame f;
  f.Width = 4;
  f.Height = 1;
  f.Data = s.W.Finish();
  TPixelGraphic image;
  Load(image, MakeGIF({f}, 2));
  EXPECT_EQ(Indexes(image), (std::vector<int>{3, 2, 1, 0}));
}

TEST(GIFReader, DataEndingEarlyLeavesTheRestOfThePictureAtZero) {
  TPixelGraphic image;
  Load(image, MakeGIF({LiteralFrame(4, 3, 2, {3, 3, 3, 3, 2})}, 2));
  EXPECT_EQ(Indexes(image), (std::vector<int>{3, 3, 3, 3, 2, 0, 0, 0, 0, 0, 0, 0}));
  // No end code and no terminator at all: the data simply stops.
  TBytes cut = MakeGIF({LiteralFrame(4, 3, 2, {1, 2, 3, 1, 2, 3, 1, 2})}, 2);
  cut.resize(cut.size() - 3);
  Load(image, cut);
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(image.Pixel(0, 0), 1u);
}

TEST(GIFReader, InvalidCodesEndTheImageWithoutFailing) {
  // A code beyond the next free code, then a prefix chain that would loop.
  TCodeWriter w;
  w.Put(4, 3);
  w.Put(2, 3);
  w.Put(7, 3);  // next free is 6: 7 is undefined
  TGIFFrame f;
  f.Width = 3;
  f.Height = 1;
  f.Data = w.Finish();
  TPixelGraphic image;
  Load(image, MakeGIF({f}, 2));
  EXPECT_EQ(Indexes(image), (std::vector<int>{2, 0, 0}));
}

TEST(GIFReader, MinimumCodeSizesTheTablesCannotHoldAreErrors) {
  for (int s : {0, 12, 13, 255}) {
    TGIFFrame f = LiteralFrame(2, 2, 2, {1, 1, 1, 1});
    f.MinCodeSize = s;
    TPixelGraphic image;
    EXPECT_THROW(Load(image, MakeGIF({f}, 2)), EPixelGraphic) << s;
  }
}

TEST(GIFReader, MissingColourTablesGiveAOneEntryBlackPalette) {
  TPixelGraphic image;
  Load(image, MakeGIF({LiteralFrame(3, 2, 2, {0, 1, 0, 1, 0, 1})}, 0));
  EXPECT_EQ(image.PixelFormat(), pf1Bit);
  EXPECT_EQ(image.PaletteCount(), 1);
  EXPECT_EQ(image.PaletteColor(0), 0u);
}

TEST(GIFReader, FramesLargerThanTheScreenLoadAtTheirOwnSize) {
  std::vector<int> values(40 * 30, 1);
  TPixelGraphic image;
  Load(image, MakeGIF({LiteralFrame(40, 30, 2, values)}, 2, 5, 5));
  EXPECT_EQ(image.Width(), 40);
  EXPECT_EQ(image.Height(), 30);
  EXPECT_EQ(image.Pixel(39, 29), 1u);
}

TEST(GIFReader, InterlacedRowsArriveInPassOrder) {
  TGIFFrame f = LiteralFrame(1, 3, 2, {0, 1, 2});
  f.Interlaced = true;
  TPixelGraphic image;
  std::vector<int> steps;
  image.OnPixelGraphicProgress = [&](TPixelGraphic&, int step, int max, bool&) {
    steps.push_back(step);
    EXPECT_EQ(max, 2);
  };
  Load(image, MakeGIF({f}, 2));
  // Row 0 in pass 1, row 2 in pass 3, row 1 in pass 4.
  EXPECT_EQ(Indexes(image), (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(steps, (std::vector<int>{1, 2, 3}));
}

TEST(GIFReader, AbortKeepsTheRowsDecodedSoFar) {
  std::vector<int> values(4 * 20, 3);
  TPixelGraphic image;
  TAbortAfter abort(image, 10);
  Load(image, MakeGIF({LiteralFrame(4, 20, 2, values)}, 2));
  EXPECT_EQ(abort.Steps, 10);
  EXPECT_EQ(abort.Starts, 1);
  EXPECT_EQ(abort.Ends, 1);
  EXPECT_EQ(image.Pixel(3, 9), 3u);
  EXPECT_EQ(image.Pixel(0, 10), 0u);
}

TEST(GIFReader, FramesAreChosenByIndexWithTheirOwnTables) {
  const TBytes bytes =
      MakeGIF({LiteralFrame(2, 2, 2, {1, 1, 1, 1}), LiteralFrame(3, 1, 3, {5, 6, 7}, 3)}, 2);
  TPixelGraphic image;
  Load(image, bytes, 1);
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.PaletteCount(), 8);
  EXPECT_EQ(image.PixelColor(2, 0), RGBColor(14, 248, 21));
  try {
    Load(image, bytes, 2);
    FAIL() << "index 2 loaded";
  } catch (const EPixelGraphic& e) {
    EXPECT_STREQ(e.what(), "Index out of bounds");
  }
}

TEST(GIFReader, InformationQuery) {
  TGIFFrame first = LiteralFrame(2, 2, 2, {1, 1, 1, 1});
  first.Interlaced = true;
  const TBytes bytes =
      MakeGIF({first, LiteralFrame(3, 1, 5, {5, 6, 7}, 5)}, 2, 1, 1, "87a");
  const TPGFileInfo info = Info(bytes, 1);
  EXPECT_EQ(info.ImageCount, 2);
  EXPECT_EQ(info.Width, 3);
  EXPECT_EQ(info.Height, 1);
  EXPECT_EQ(info.BitsPerPixel, 5);
  EXPECT_EQ(info.ColorsText, "32");
  EXPECT_EQ(info.DescriptionText, "Interlaced");
  EXPECT_EQ(info.VersionText, "87a");
  EXPECT_THROW(Info(bytes, 2), EPixelGraphic);
  try {
    Info(TBytes{'G', 'I', 'X', '8'});
    FAIL();
  } catch (const EPixelGraphic& e) {
    EXPECT_STREQ(e.what(), "Not a proper GIF file");
  }
}

TEST(GIFReader, TrailingJunkAndUnknownBlocksKeepTheImagesBeforeThem) {
  TBytes bytes = MakeGIF({LiteralFrame(2, 1, 2, {2, 3})}, 2);
  bytes.back() = 0x99;  // no trailer, an unknown block byte instead
  bytes.push_back(0x21);
  TPixelGraphic image;
  Load(image, bytes);
  EXPECT_EQ(Indexes(image), (std::vector<int>{2, 3}));
  EXPECT_EQ(Info(bytes).ImageCount, 1);
}

TEST(GIFReader, NotAGIFIsASilentAbortForTheReader) {
  TPixelGraphic image;
  TPGMemoryStream stream(TBytes{'G', 'I'});
  EXPECT_THROW(tGifFileFormatReader().ReadFromStream(stream, image, 0, CaptureFormatContext()),
               EPGSilentAbort);
}

TEST(GIFReader, EveryTruncationFailsCleanlyOrLoads) {
  const TBytes whole = ReadFileBytes(DataPath("im_two_frames.gif"));
  for (std::size_t n = 0; n < whole.size(); ++n) {
    const TBytes part(whole.begin(), whole.begin() + static_cast<long>(n));
    for (int index : {0, 1}) {
      TPixelGraphic image;
      try {
        Load(image, part, index);
      } catch (const EPixelGraphic&) {
      }
      try {
        Info(part, index);
      } catch (const EPixelGraphic&) {
      }
    }
  }
}

TEST(GIFReader, ZeroSizedAndAbsurdFramesAreRefused) {
  TPixelGraphic image;
  EXPECT_THROW(Load(image, MakeGIF({LiteralFrame(0, 5, 2, {1})}, 2)), EPixelGraphic);
  // 65535 x 65535 pixels from a few bytes of data.
  EXPECT_THROW(Load(image, MakeGIF({LiteralFrame(65535, 65535, 8, {1})}, 8)), EPixelGraphic);
}
