// Displayed size, position, auto size and tiling of the picture view.
#include <gtest/gtest.h>

#include "view/TileLayout.h"
#include "view/ViewGeometry.h"

namespace {

TEST(ViewGeometry, FitKeepsTheAspectRatio) {
  const TDisplaySize d = ComputeDisplaySize(sAlwaysKAR, 1, 300, 200, 150, 150, 16, 16);
  EXPECT_EQ(d.DW, 150);
  EXPECT_EQ(d.DH, 100);
  EXPECT_DOUBLE_EQ(d.S, 0.5);
  const TDisplaySize tall = ComputeDisplaySize(sAlwaysKAR, 1, 100, 400, 300, 200, 16, 16);
  EXPECT_EQ(tall.DH, 200);
  EXPECT_EQ(tall.DW, 50);
}

TEST(ViewGeometry, LongerEdgeScrollsAlongTheLongerSide) {
  const TDisplaySize d = ComputeDisplaySize(sAlwaysLongerEdgeKAR, 1, 300, 200, 150, 150, 16, 16);
  EXPECT_EQ(d.DH, 134);
  EXPECT_EQ(d.DW, 201);
  EXPECT_NEAR(d.S, 0.67, 0.001);
  // Shrink variant: only when both bars would be needed.
  EXPECT_EQ(ComputeDisplaySize(sShrinkLongerEdgeKAR, 1, 300, 100, 150, 150, 16, 16).DW, 300);
  EXPECT_EQ(ComputeDisplaySize(sShrinkLongerEdgeKAR, 1, 300, 200, 150, 150, 16, 16).DW, 201);
}

TEST(ViewGeometry, EveryPolicyAgainstSmallerEqualAndLargerPictures) {
  struct Case {
    TStretch s;
    int W, H, DW, DH;
    double S;
  };
  // Area 200 x 100, bars 10.
  const Case cases[] = {
      {sNeverKAR, 400, 300, 400, 300, 1.0},   {sAlways, 50, 50, 200, 100, -1.0},
      {sShrink, 400, 50, 200, 50, -1.0},      {sShrink, 100, 50, 100, 50, 1.0},
      {sShrinkKAR, 400, 100, 200, 50, 0.5},   {sShrinkKAR, 100, 50, 100, 50, 1.0},
      {sEnlarge, 50, 40, 200, 100, -1.0},     {sEnlarge, 300, 40, 300, 90, -1.0},
      {sEnlargeKAR, 50, 50, 100, 100, 2.0},   {sEnlargeKAR, 200, 50, 200, 50, 1.0},
      {sEnlargeLongerEdgeKAR, 100, 20, 450, 90, 4.5},
      {sEnlargeShrinkLongerEdgeKAR, 20, 10, 200, 100, 10.0},
      {sEnlargeShrinkLongerEdgeKAR, 400, 20, 400, 20, 1.0},
      {sZoomKAR, 101, 100, 50, 50, 0.5}};
  for (const Case& c : cases) {
    const TDisplaySize d = ComputeDisplaySize(c.s, 0.5, c.W, c.H, 200, 100, 10, 10);
    EXPECT_EQ(d.DW, c.DW) << int(c.s) << " " << c.W << "x" << c.H;
    EXPECT_EQ(d.DH, c.DH) << int(c.s) << " " << c.W << "x" << c.H;
    EXPECT_NEAR(d.S, c.S, 1e-9) << int(c.s) << " " << c.W << "x" << c.H;
  }
  // Zoom of 0 or less shows the picture 1:1; 0.5 of 101 is Round(50.5) = 50.
  EXPECT_EQ(ComputeDisplaySize(sZoomKAR, 0, 80, 60, 10, 10, 0, 0).DW, 80);
  EXPECT_EQ(ComputeDisplaySize(sZoomKAR, -2, 80, 60, 10, 10, 0, 0).S, 1.0);
}

TEST(ViewGeometry, DrawnSizesStayAtLeastOnePixel) {
  // A very wide picture fitted would get a height of 0; zoom could overflow.
  const TDisplaySize wide = ComputeDisplaySize(sAlwaysKAR, 1, 100000, 1, 100, 100, 16, 16);
  EXPECT_EQ(wide.DW, 100);
  EXPECT_EQ(wide.DH, 1);
  const TDisplaySize edge = ComputeDisplaySize(sAlwaysLongerEdgeKAR, 1, 300, 200, 10, 10, 16, 16);
  EXPECT_GE(edge.DW, 1);
  EXPECT_GE(edge.DH, 1);
  const TDisplaySize huge = ComputeDisplaySize(sZoomKAR, 1e12, 1000, 1000, 10, 10, 0, 0);
  EXPECT_EQ(huge.DW, 2147483647);
  EXPECT_EQ(ComputeDisplaySize(sNeverKAR, 1, 0, 0, 10, 10, 0, 0).DW, 0);  // no picture
}

TEST(ViewGeometry, CentringAccountsForBars) {
  TDisplayPosition p = ComputeDisplayPosition(true, 100, 50, 200, 100, 10, 10);
  EXPECT_EQ(p.Left, 50);
  EXPECT_EQ(p.Top, 25);
  EXPECT_FALSE(p.HorizontalBar);
  p = ComputeDisplayPosition(true, 300, 50, 200, 100, 10, 10);  // wider: a horizontal bar
  EXPECT_TRUE(p.HorizontalBar);
  EXPECT_EQ(p.Left, 0);
  EXPECT_EQ(p.Top, 20);
  p = ComputeDisplayPosition(false, 10, 10, 200, 100, 10, 10);
  EXPECT_EQ(p.Left, 0);
  EXPECT_EQ(p.Top, 0);
  p = ComputeDisplayPosition(true, 0, 0, 200, 100, 10, 10);  // no picture: the empty box centred
  EXPECT_EQ(p.Left, 100);
  EXPECT_EQ(p.Top, 50);
}

TEST(ViewGeometry, AutoSizeClampsAndAddsBars) {
  int w = 0, h = 0;
  ComputeAutoSize(300, 200, 2, 16, 16, {}, w, h);
  EXPECT_EQ(w, 304);
  EXPECT_EQ(h, 204);
  TAutoSizeLimits limits;
  limits.MaxWidth = 250;
  limits.MaxHeight = 500;
  ComputeAutoSize(300, 200, 0, 16, 16, limits, w, h);
  EXPECT_EQ(w, 250);
  EXPECT_EQ(h, 216);  // a horizontal bar joins
  limits.MinWidth = 400;  // crossing bounds: the minimum wins
  ComputeAutoSize(300, 200, 0, 16, 16, limits, w, h);
  EXPECT_EQ(w, 400);
}

TEST(ViewTiling, TileRangesAndMirrors) {
  const TTileRect r{100, 50, 200, 100};
  const TTileRect clip{0, 0, 399, 199};
  const auto tiles = LayoutTiles(tMirror, true, false, r, 400, 200, clip);
  // Columns -1..2, rows -1..2 (edges touch).
  int columns = 0;
  for (const TTile& t : tiles) {
    if (t.Row == 0) ++columns;
    EXPECT_EQ(t.Rect.Right - t.Rect.Left, 100);
    // tMirror with FlipHorizontal: even columns mirrored, odd ones not.
    EXPECT_EQ(t.MirrorH, t.Column % 2 == 0) << t.Column;
    EXPECT_EQ(t.MirrorV, t.Row % 2 != 0) << t.Row;
  }
  EXPECT_EQ(columns, 4);
  EXPECT_EQ(tiles.front().Row, -1);
  EXPECT_EQ(tiles.front().Column, -1);

  const auto none = LayoutTiles(tNone, false, true, r, 400, 200, clip);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_TRUE(none[0].MirrorV);
  // A picture narrower than a pixel is never tiled.
  EXPECT_EQ(LayoutTiles(tRepeat, false, false, {5, 5, 5, 6}, 400, 200, clip).size(), 1u);
  // Only tiles that touch the clip rectangle.
  const auto part = LayoutTiles(tRepeat, false, false, r, 400, 200, {0, 0, 50, 40});
  for (const TTile& t : part) EXPECT_LE(t.Rect.Left, 50);
}

}  // namespace
