// Selection arithmetic: mapping, grips, gestures and the marquee pattern.
#include <gtest/gtest.h>

#include "view/SelectionGeometry.h"

namespace {

TEST(ViewSelection, FromTwoPointsIncludesBothEnds) {
  EXPECT_EQ(SelectionFromPoints(10, 10, 5, 20), (TSelRect{5, 10, 6, 11}));
  EXPECT_EQ(SelectionFromPoints(3, 3, 3, 3), (TSelRect{3, 3, 1, 1}));
}

TEST(ViewSelection, MovingKeepsOnePixelOnThePicture) {
  const TSelRect s{10, 10, 50, 20};
  EXPECT_EQ(MoveSelection(s, -1000, 15, 5, 5, 200, 100).Left, -49);
  EXPECT_EQ(MoveSelection(s, 5000, 15, 5, 5, 200, 100).Left, 199);
  EXPECT_EQ(MoveSelection(s, 15, -500, 5, 5, 200, 100).Top, -19);
  EXPECT_EQ(MoveSelection(s, 15, 15, 5, 5, 200, 100), (TSelRect{10, 10, 50, 20}));
}

TEST(ViewSelection, GripDragsAndTheirLimits) {
  const TSelRect s{20, 30, 40, 10};
  int ox = 0, oy = 0;
  GripOffsets(s, gBottomRight, 60, 40, ox, oy);
  EXPECT_EQ(ox, 20);
  EXPECT_EQ(oy, 30);
  // Dragged above and left of the top-left corner: 1 x 1 at the old top-left.
  EXPECT_EQ(ResizeSelection(s, gBottomRight, 0, 0, ox, oy), (TSelRect{20, 30, 1, 1}));
  GripOffsets(s, gTopLeft, 20, 30, ox, oy);
  EXPECT_EQ(ResizeSelection(s, gTopLeft, 100, 100, ox, oy), (TSelRect{59, 39, 1, 1}));
  EXPECT_EQ(ResizeSelection(s, gTopLeft, 10, 25, ox, oy), (TSelRect{10, 25, 50, 15}));
  GripOffsets(s, gMiddleRight, 60, 35, ox, oy);
  EXPECT_EQ(oy, 0);
  EXPECT_EQ(ResizeSelection(s, gMiddleRight, 70, 99, ox, oy), (TSelRect{20, 30, 50, 10}));
}

TEST(ViewSelection, GripRectanglesAndHitOrder) {
  const TBoxRect s{100, 100, 200, 150};
  const auto g = GripRects(s);
  EXPECT_EQ(g[gTopLeft].Left, 92);
  EXPECT_EQ(g[gTopLeft].Right, 97);
  EXPECT_EQ(g[gTopCentre].Left, 148);
  EXPECT_EQ(g[gBottomRight].Bottom, 158);
  EXPECT_EQ(HitGrip(s, 94, 94), gTopLeft);
  EXPECT_EQ(HitGrip(s, 205, 126), gMiddleRight);
  EXPECT_EQ(HitGrip(s, 150, 125), std::nullopt);
  EXPECT_EQ(HitGrip(s, 97, 94), std::nullopt);  // right edge is outside
}

TEST(ViewSelection, MappingAndClipping) {
  const TSelectionMapper m{400, 300, 200, 150};
  EXPECT_EQ(m.ToImageX(199), 398);
  EXPECT_EQ(m.ToBoxX(398), 199);
  const TSelectionMapper empty{0, 0, 0, 0};
  EXPECT_EQ(empty.ToImageX(5), 0);
  EXPECT_EQ(empty.ToBoxX(5), 0);
  EXPECT_EQ(ClipSelection({-100, 5, 150, 10}, 40, 40), (TSelRect{0, 5, 40, 10}));
  EXPECT_EQ(ClipSelection({50, 5, 10, 10}, 40, 40).Width, 0);
}

TEST(ViewSelection, MarqueeStripesShiftWithThePhase) {
  int second = 0;
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c) second += MarqueeSecondColor(0, c, r);
  EXPECT_EQ(second, 32);  // stripes four pixels wide
  for (int k = 0; k < 8; ++k)
    EXPECT_EQ(MarqueeSecondColor(k, 1, 0), MarqueeSecondColor((k + 1) % 8, 2, 0));
  EXPECT_FALSE(MarqueeSecondColor(0, 0, 0));
  EXPECT_TRUE(MarqueeSecondColor(0, 4, 0));
}

}  // namespace
