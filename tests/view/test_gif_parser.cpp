// Parsing: header, extensions, frame fields, limits and damaged files.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/view/GIFBuilder.h"
#include "view/GIFParser.h"

using namespace giftest;

namespace {

TGIFParseResult Parse(const Bytes& data, TGIFAnimation& anim, TGIFParseOptions options = {}) {
  return GIFParse(data.data(), data.size(), options, anim);
}

File TwoColor(int w, int h) {
  File f;
  f.Width = w;
  f.Height = h;
  f.GlobalPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  return f;
}

}  // namespace

TEST(GIFParser, ReadsFrameFieldsAndExtensions) {
  File file = TwoColor(10, 8);
  file.LoopCount = 3;
  Frame a = Solid(1, 2, 4, 3, 1);
  a.Delay = 10;
  a.Disposal = 3;
  a.Transparent = true;
  a.TransparentIndex = 2;
  a.Comment = "hello";
  Frame b = Solid(0, 0, 2, 2, 3);
  b.LocalPalette = {0x111111, 0x222222, 0x333333, 0x444444, 0x555555};
  b.Disposal = 6;  // every undefined method restores the background
  b.Interlaced = true;
  file.Frames = {a, b};
  TGIFAnimation anim;
  ASSERT_TRUE(Parse(Build(file), anim).Ok());
  EXPECT_EQ(anim.Version, gvGIF89a);
  EXPECT_EQ(anim.LoopCount, 3);
  ASSERT_EQ(anim.Frames.size(), 2u);
  const TGIFFrame& f = anim.Frames[0];
  EXPECT_EQ(f.Left, 1);
  EXPECT_EQ(f.Top, 2);
  EXPECT_EQ(f.Width, 4);
  EXPECT_EQ(f.Height, 3);
  EXPECT_EQ(f.Delay, 100) << "a delay field of 10 is 100 ms";
  EXPECT_EQ(f.Disposal, 3);
  EXPECT_TRUE(f.Transparent);
  EXPECT_EQ(f.TransparentIndex, 2);
  EXPECT_EQ(f.Comment, "hello");
  EXPECT_EQ(f.Bits, 0);
  EXPECT_EQ(f.Palette[1], 0xFFFF0000u);
  EXPECT_TRUE(f.Complete());
  const TGIFFrame& g = anim.Frames[1];
  EXPECT_EQ(g.Disposal, 2);
  EXPECT_EQ(g.Bits, 3);
  EXPECT_EQ(anim.GlobalBits, 3) << "raised to the largest local table";
  EXPECT_EQ(g.Palette[3], 0xFF444444u);
  EXPECT_EQ(g.Palette[7], 0xFF000000u);
  EXPECT_TRUE(g.Interlaced);
  EXPECT_TRUE(anim.AnyTransparent);
  EXPECT_TRUE(anim.AnyInterlaced);
  EXPECT_TRUE(g.Comment.empty()) << "a comment belongs to the next image only";
}

TEST(GIFParser, VersionAndDefaults) {
  File file = TwoColor(2, 2);
  file.Version89a = false;
  Frame a = Solid(0, 0, 2, 2, 1);
  a.Transparent = true;
  a.TransparentIndex = 1;
  file.Frames = {a};
  TGIFAnimation anim;
  ASSERT_TRUE(Parse(Build(file), anim).Ok());
  EXPECT_EQ(anim.Version, gvGIF87a);
  EXPECT_FALSE(anim.Frames[0].Transparent) << "87a files ignore the transparency bit";
  EXPECT_EQ(anim.LoopCount, 1) << "no loop extension: one pass";
  EXPECT_FALSE(anim.Animated());
}

TEST(GIFParser, RefusesWhatIsNoGIF) {
  TGIFAnimation anim;
  EXPECT_EQ(Parse({'B', 'M', 0, 0}, anim).Status, TGIFParseStatus::NotGIF);
  EXPECT_EQ(Parse({}, anim).Status, TGIFParseStatus::NotGIF);
  EXPECT_EQ(Parse({'G', 'I', 'F', '8', '9', 'a', 1}, anim).Status, TGIFParseStatus::Truncated);
  File empty = TwoColor(4, 4);
  EXPECT_EQ(Parse(Build(empty), anim).Status, TGIFParseStatus::NoImage);
  File zero = TwoColor(4, 4);
  zero.Frames = {Solid(0, 0, 2, 2, 1), Solid(0, 0, 0, 2, 1)};
  const TGIFParseResult r = Parse(Build(zero), anim);
  EXPECT_EQ(r.Status, TGIFParseStatus::BadFrame);
  EXPECT_EQ(r.Message.rfind("GIF: ", 0), 0u);
  EXPECT_TRUE(anim.Frames.empty()) << "a failed parse leaves nothing behind";
}

TEST(GIFParser, SkipsUnknownExtensionsBySubBlocks) {
  File file = TwoColor(2, 2);
  file.Frames = {Solid(0, 0, 2, 2, 1)};
  Bytes data = Build(file);
  // An unknown extension whose data holds image separators and a trailer.
  const Bytes ext = {0x21, 0x99, 4, ',', ';', ',', '!', 2, ';', ';', 0};
  const std::size_t at = 13 + 12;  // after header and global table
  data.insert(data.begin() + at, ext.begin(), ext.end());
  // A stray byte between blocks is stepped over.
  data.insert(data.begin() + at, 0x00);
  TGIFAnimation anim;
  ASSERT_TRUE(Parse(data, anim).Ok());
  ASSERT_EQ(anim.Frames.size(), 1u);
  EXPECT_EQ(anim.Frames[0].Width, 2);
  EXPECT_TRUE(anim.Frames[0].Complete());
}

TEST(GIFParser, KeepsAtMost256FramesAndStopsAfterTheFirstWhenAsked) {
  File file = TwoColor(2, 2);
  for (int i = 0; i < 300; ++i) file.Frames.push_back(Solid(0, 0, 2, 2, std::uint8_t(i % 4)));
  const Bytes data = Build(file);
  TGIFAnimation anim;
  ASSERT_TRUE(Parse(data, anim).Ok());
  EXPECT_EQ(anim.Frames.size(), 256u);
  TGIFParseOptions first;
  first.FirstImageOnly = true;
  ASSERT_TRUE(Parse(data, anim, first).Ok());
  EXPECT_EQ(anim.Frames.size(), 1u);
}

TEST(GIFParser, GrowsTheLogicalScreenAndClipsBeyondTheLimit) {
  File file = TwoColor(10, 10);
  file.Frames = {Solid(6, 4, 8, 9, 1)};
  TGIFAnimation anim;
  ASSERT_TRUE(Parse(Build(file), anim).Ok());
  EXPECT_EQ(anim.LogicalWidth, 14);
  EXPECT_EQ(anim.LogicalHeight, 13);
  EXPECT_EQ(anim.Frames[0].Clip, (TGIFRect{6, 4, 8, 9}));

  // A frame that would grow the screen past the area limit is clipped to the screen.
  File huge = TwoColor(32, 32);
  huge.Frames = {Solid(0, 0, 4, 4, 1)};
  huge.Frames[0].Width = 60000;  // declared far larger than its data
  huge.Frames[0].Height = 60000;
  ASSERT_TRUE(Parse(Build(huge), anim).Ok());
  EXPECT_EQ(anim.LogicalWidth, 32);
  EXPECT_EQ(anim.LogicalHeight, 32);
  EXPECT_EQ(anim.Frames[0].Clip, (TGIFRect{0, 0, 32, 32}));
  EXPECT_EQ(anim.Frames[0].Pixels.size(), 32u * 32u);
  EXPECT_FALSE(anim.Frames[0].Complete());

  File tooLarge = TwoColor(65535, 65535);
  tooLarge.Frames = {Solid(0, 0, 1, 1, 1)};
  EXPECT_EQ(Parse(Build(tooLarge), anim).Status, TGIFParseStatus::TooLarge);
}

TEST(GIFParser, RefusesAnAnimationBeyondTheMemoryBudget) {
  File file = TwoColor(100, 100);
  for (int i = 0; i < 10; ++i) file.Frames.push_back(Solid(0, 0, 100, 100, 1));
  TGIFParseOptions options;
  // Exactly enough for the ten frames and the canvas of the logical screen.
  options.Limits.MaxTotalBytes = 100 * 100 * GIFCanvasBytesPerPixel + 10 * 100 * 100;
  TGIFAnimation anim;
  ASSERT_TRUE(Parse(Build(file), anim, options).Ok());
  EXPECT_EQ(anim.Frames.size(), 10u);
  options.Limits.MaxTotalBytes -= 1;
  const TGIFParseResult refused = Parse(Build(file), anim, options);
  EXPECT_EQ(refused.Status, TGIFParseStatus::TooLarge);
  EXPECT_EQ(refused.Message.rfind("GIF: ", 0), 0u) << refused.Message;
  EXPECT_TRUE(anim.Frames.empty());
}

// A few kilobytes on a 1 x 1 screen declaring 256 frames of 5000 x 5000: the logical screen
// grows to hold them, and the frames with the canvas would need gigabytes.
TEST(GIFParser, ATinyFileCannotAskForGigabytes) {
  File file = TwoColor(1, 1);
  for (int i = 0; i < 256; ++i) {
    Frame f = Solid(0, 0, 4, 4, 1);
    f.Width = f.Height = 5000;  // declared far larger than its data
    file.Frames.push_back(f);
  }
  const Bytes data = Build(file);
  ASSERT_LT(data.size(), 16u * 1024);
  std::uint64_t heldMost = 0;
  TGIFAnimation anim;
  TGIFParseOptions options;
  options.Progress = [&](std::uint64_t, std::uint64_t, int) {
    heldMost = std::max(heldMost, anim.FrameBytes());
    return true;
  };
  const TGIFParseResult r = Parse(data, anim, options);
  EXPECT_EQ(r.Status, TGIFParseStatus::TooLarge);
  EXPECT_EQ(r.Message.rfind("GIF: ", 0), 0u) << r.Message;
  EXPECT_LE(heldMost + 5000ull * 5000 * GIFCanvasBytesPerPixel, TGIFLimits{}.MaxTotalBytes);
}

TEST(GIFParser, DamagedFramesKeepWhatWasDecoded) {
  File file = TwoColor(16, 16);
  Frame a = Solid(0, 0, 16, 16, 1);
  for (std::size_t i = 0; i < a.Pixels.size(); ++i) a.Pixels[i] = std::uint8_t((i * 7 + i / 5) % 4);
  file.Frames = {a};
  Bytes data = Build(file);
  TGIFAnimation anim;
  {  // cut inside the image data
    Bytes cut(data.begin(), data.end() - 12);
    ASSERT_TRUE(Parse(cut, anim).Ok());
    EXPECT_FALSE(anim.Frames[0].Complete());
    EXPECT_TRUE(anim.Frames[0].HasTransparency());
    EXPECT_TRUE(anim.AnyTransparent);
  }
  {  // minimum code size beyond what the tables hold: nothing is decoded
    File big = file;
    big.Frames[0].MinCodeSize = 12;
    big.Frames.push_back(Solid(0, 0, 4, 4, 2));
    ASSERT_TRUE(Parse(Build(big), anim).Ok());
    ASSERT_EQ(anim.Frames.size(), 2u) << "the frames after it still load";
    EXPECT_EQ(anim.Frames[0].DecodedPixels, 0u);
    EXPECT_TRUE(anim.Frames[1].Complete());
  }
  {  // a descriptor cut short after a complete frame: the complete frame loads
    File two = file;
    two.Frames.push_back(Solid(0, 0, 4, 4, 2));
    Bytes d = Build(two);
    d.resize(data.size() - 1 + 8 + 5);  // into the second descriptor
    ASSERT_TRUE(Parse(d, anim).Ok());
    EXPECT_EQ(anim.Frames.size(), 1u);
  }
}

TEST(GIFParser, ProgressReportsAndAborts) {
  File file = TwoColor(400, 400);
  file.Frames = {Solid(0, 0, 400, 400, 1), Solid(0, 0, 400, 400, 2)};
  const Bytes data = Build(file);
  TGIFParseOptions options;
  int calls = 0;
  std::uint64_t last = 0;
  options.Progress = [&](std::uint64_t pos, std::uint64_t total, int percent) {
    ++calls;
    EXPECT_EQ(total, data.size());
    EXPECT_GE(pos, last);
    EXPECT_EQ(percent, int(100 * pos / total));
    last = pos;
    return true;
  };
  TGIFAnimation anim;
  ASSERT_TRUE(Parse(data, anim, options).Ok());
  // Blocks, plus row groups inside both 160000-pixel frames (every 32 rows).
  EXPECT_GE(calls, 2 * (400 / 32));
  int left = 5;
  options.Progress = [&](std::uint64_t, std::uint64_t, int) { return --left > 0; };
  EXPECT_EQ(Parse(data, anim, options).Status, TGIFParseStatus::Aborted);
  EXPECT_TRUE(anim.Frames.empty());
}
