// Composition on the logical screen: disposal methods, transparency, interlace, clipping.
#include <gtest/gtest.h>

#include "tests/view/GIFBuilder.h"
#include "view/GIFComposer.h"
#include "view/GIFParser.h"

using namespace giftest;

namespace {

constexpr std::uint32_t Black = 0xFF000000, Red = 0xFFFF0000, Green = 0xFF00FF00,
                        Blue = 0xFF0000FF;

TGIFAnimation ParseFile(const File& file) {
  const Bytes data = Build(file);
  TGIFAnimation anim;
  const TGIFParseResult r = GIFParse(data.data(), data.size(), {}, anim);
  EXPECT_TRUE(r.Ok()) << r.Message;
  return anim;
}

File Screen(int w, int h) {
  File f;
  f.Width = w;
  f.Height = h;
  f.GlobalPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  return f;
}

// Draws frames 1..n in order, disposing each before the next.
TGIFComposer Play(const TGIFAnimation& anim, int n) {
  TGIFComposer c;
  c.Reset(anim.LogicalWidth, anim.LogicalHeight, anim.AnyTransparent);
  for (int i = 0; i < n; ++i) {
    if (i > 0) c.Dispose(anim.Frames[i - 1]);
    c.Draw(anim.Frames[i]);
  }
  return c;
}

}  // namespace

TEST(GIFComposer, DisposalNoneAndLeaveKeepTheFrame) {
  for (int disposal : {0, 1}) {
    File f = Screen(4, 4);
    Frame a = Solid(0, 0, 4, 4, 1);
    a.Disposal = disposal;
    f.Frames = {a, Solid(1, 1, 2, 2, 2)};
    const TGIFComposer c = Play(ParseFile(f), 2);
    EXPECT_EQ(c.PixelAt(0, 0), Red) << disposal;
    EXPECT_EQ(c.PixelAt(1, 1), Green) << disposal;
    EXPECT_EQ(c.PixelAt(3, 3), Red) << disposal;
    EXPECT_FALSE(c.HasMask());
  }
}

TEST(GIFComposer, RestoreBackgroundClearsToBlackAndTransparent) {
  File f = Screen(4, 4);
  Frame a = Solid(0, 0, 4, 4, 1);
  Frame b = Solid(0, 0, 2, 2, 2);
  b.Disposal = 2;
  Frame c3 = Solid(3, 3, 1, 1, 3);
  c3.Transparent = true;  // makes the canvas keep a mask
  c3.TransparentIndex = 0;
  f.Frames = {a, b, c3};
  const TGIFAnimation anim = ParseFile(f);
  TGIFComposer c = Play(anim, 2);
  EXPECT_EQ(c.PixelAt(0, 0), Green);
  EXPECT_FALSE(c.TransparentAt(0, 0));
  c.Dispose(anim.Frames[1]);
  c.Draw(anim.Frames[2]);
  EXPECT_EQ(c.PixelAt(0, 0), Black) << "the hole is black";
  EXPECT_TRUE(c.TransparentAt(1, 1)) << "and transparent";
  EXPECT_EQ(c.PixelAt(2, 2), Red) << "outside the frame nothing changes";
  EXPECT_FALSE(c.TransparentAt(2, 2));
  EXPECT_EQ(c.PixelAt(3, 3), Blue);
}

TEST(GIFComposer, RestorePreviousBringsBackWhatTheFrameCovered) {
  File f = Screen(4, 4);
  Frame a = Solid(0, 0, 4, 4, 1);
  Frame b = Solid(1, 1, 2, 2, 2);
  b.Disposal = 3;
  Frame c3 = Solid(0, 0, 1, 1, 3);
  f.Frames = {a, b, c3};
  const TGIFAnimation anim = ParseFile(f);
  TGIFComposer c = Play(anim, 2);
  EXPECT_EQ(c.PixelAt(1, 1), Green);
  c.Dispose(anim.Frames[1]);
  c.Draw(anim.Frames[2]);
  EXPECT_EQ(c.PixelAt(1, 1), Red);
  EXPECT_EQ(c.PixelAt(2, 2), Red);
  EXPECT_EQ(c.PixelAt(0, 0), Blue);
  // Disposing a restore-previous frame that was not drawn last changes nothing.
  const std::vector<std::uint32_t> before = c.Pixels();
  c.Dispose(anim.Frames[1]);
  EXPECT_EQ(c.Pixels(), before);
}

TEST(GIFComposer, TransparencyOverBackgroundAndOverPreviousFrame) {
  File f = Screen(3, 1);
  Frame a;
  a.Width = 3;
  a.Pixels = {1, 0, 2};
  a.Transparent = true;
  a.TransparentIndex = 0;
  Frame b;
  b.Width = 3;
  b.Pixels = {3, 3, 0};
  b.Transparent = true;
  b.TransparentIndex = 3;
  f.Frames = {a, b};
  const TGIFAnimation anim = ParseFile(f);
  TGIFComposer c = Play(anim, 1);
  EXPECT_EQ(c.PixelAt(0, 0), Red);
  EXPECT_TRUE(c.TransparentAt(1, 0)) << "over the background: still transparent";
  EXPECT_EQ(c.PixelAt(1, 0), Black);
  c.Dispose(anim.Frames[0]);
  c.Draw(anim.Frames[1]);
  EXPECT_EQ(c.PixelAt(0, 0), Red) << "over the previous frame: the previous shows";
  EXPECT_TRUE(c.TransparentAt(1, 0));
  EXPECT_EQ(c.PixelAt(2, 0), Black) << "index 0 is opaque black in this frame";
  EXPECT_FALSE(c.TransparentAt(2, 0));
  std::vector<std::uint32_t> pre(3);
  c.ToPremultiplied(pre.data());
  EXPECT_EQ(pre, (std::vector<std::uint32_t>{Red, 0u, Black}));
}

TEST(GIFComposer, InterlacedFrameComposesLikeItsProgressiveTwin) {
  for (int h : {1, 2, 3, 5, 8, 9, 13, 17}) {
    File f = Screen(3, h);
    Frame a;
    a.Width = 3;
    a.Height = h;
    for (int i = 0; i < 3 * h; ++i) a.Pixels.push_back(std::uint8_t((i / 3 + i) % 4));
    f.Frames = {a};
    const TGIFComposer plain = Play(ParseFile(f), 1);
    f.Frames[0].Interlaced = true;
    const TGIFComposer inter = Play(ParseFile(f), 1);
    EXPECT_EQ(inter.Pixels(), plain.Pixels()) << h;
  }
}

TEST(GIFComposer, TruncatedFrameLeavesUndecodedRowsTransparent) {
  File f = Screen(8, 40);
  Frame a = Solid(0, 0, 8, 40, 1);
  Frame b;
  b.Width = 8;
  b.Height = 40;
  for (int i = 0; i < 320; ++i) b.Pixels.push_back(std::uint8_t(2 + (i * 13 + i / 7) % 2));
  f.Frames = {a, b};
  Bytes data = Build(f);
  data.resize(data.size() - 30);
  TGIFAnimation anim;
  ASSERT_TRUE(GIFParse(data.data(), data.size(), {}, anim).Ok());
  ASSERT_EQ(anim.Frames.size(), 2u);
  ASSERT_FALSE(anim.Frames[1].Complete());
  const TGIFComposer c = Play(anim, 2);
  EXPECT_NE(c.PixelAt(0, 0), Red) << "decoded rows show the new frame";
  EXPECT_EQ(c.PixelAt(7, 39), Red) << "rows never decoded keep the previous frame";
}

TEST(GIFComposer, FramesBeyondTheScreenAreClipped) {
  File f = Screen(4, 4);
  f.Frames = {Solid(0, 0, 4, 4, 1), Solid(3, 3, 3, 3, 2)};
  const TGIFAnimation anim = ParseFile(f);
  EXPECT_EQ(anim.LogicalWidth, 6) << "the screen grows to cover the frame";
  const TGIFComposer c = Play(anim, 2);
  EXPECT_EQ(c.Width(), 6);
  EXPECT_EQ(c.PixelAt(5, 5), Green);
  EXPECT_EQ(c.PixelAt(4, 0), Black);

  // Pixel values beyond the colour table show black, never read past the palette.
  File g = Screen(2, 1);
  g.GlobalPalette = {0xFF0000, 0x00FF00};
  Frame p;
  p.Width = 2;
  p.Pixels = {1, 3};
  p.MinCodeSize = 2;
  g.Frames = {p};
  const TGIFComposer d = Play(ParseFile(g), 1);
  EXPECT_EQ(d.PixelAt(0, 0), Green);
  EXPECT_EQ(d.PixelAt(1, 0), Black);
}

TEST(GIFComposer, FramesEntirelyOffTheScreenDrawAndDisposeNothing) {
  File f = Screen(10, 10);
  Frame a = Solid(10, 0, 5, 5, 2);
  a.Disposal = 3;
  Frame b = Solid(0, 12, 5, 5, 3);
  b.Disposal = 2;
  f.Frames = {Solid(0, 0, 10, 10, 1), a, b};
  const Bytes data = Build(f);
  TGIFParseOptions options;
  options.Limits.MaxScreenArea = 100;  // no room to grow: the frames are clipped away
  TGIFAnimation anim;
  ASSERT_TRUE(GIFParse(data.data(), data.size(), options, anim).Ok());
  EXPECT_TRUE(anim.Frames[1].Clip.Empty());
  TGIFComposer c = Play(anim, 3);
  c.Dispose(anim.Frames[2]);
  for (std::uint32_t p : c.Pixels()) EXPECT_EQ(p, Red);
}
