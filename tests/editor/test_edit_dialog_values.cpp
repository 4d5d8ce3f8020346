// The edit dialogs' arithmetic, zoom steps and crop intersection.
#include <gtest/gtest.h>

#include "editor/core/ColorRezValues.h"
#include "editor/core/CropArea.h"
#include "editor/core/EditDialogValues.h"
#include "editor/core/ZoomSteps.h"

namespace {

TEST(ZoomSteps, TenInReachThreeAndFourOutReachAFifth) {
  double f = 1.0;
  for (int i = 0; i < 10; ++i) f = ZoomToolIn(f);
  EXPECT_DOUBLE_EQ(f, 3.0);
  EXPECT_DOUBLE_EQ(ZoomToolIn(f), 3.0);
  f = 1.0;
  for (int i = 0; i < 4; ++i) f = ZoomToolOut(f);
  EXPECT_DOUBLE_EQ(f, 0.2);
  EXPECT_DOUBLE_EQ(ZoomToolOut(f), 0.2);
  // Down and up again walks the same tenths.
  for (int i = 0; i < 14; ++i) f = ZoomToolIn(f);
  EXPECT_DOUBLE_EQ(f, 3.0);
}

TEST(ResizeValues, ProportionalSideRoundsHalvesToEven) {
  EXPECT_EQ(ProportionalSide(100, 640, 480), 75);
  EXPECT_EQ(ProportionalSide(5, 3, 2), 3);   // round(10 / 3)
  EXPECT_EQ(ProportionalSide(5, 3, 2), 3);
  EXPECT_EQ(ProportionalSide(2, 4, 1), 0);   // round(0.5) = 0
  EXPECT_EQ(ProportionalSide(3, 2, 1), 2);   // round(1.5) = 2
  EXPECT_EQ(ProportionalSide(10, 0, 5), std::nullopt);
  // The product needs more than 32 bits.
  EXPECT_EQ(ProportionalSide(100000, 50000, 60000), 120000);
  EXPECT_EQ(ProportionalSide(1000000, 1, 1000000), std::nullopt);  // no such picture
}

TEST(ResizeValues, ConstrainFollowsTheLeftEdit) {
  TResizeValues v;
  v.Reset(640, 480);
  EXPECT_EQ(v.WidthText(), "640");
  v.SetWidthText("100");
  v.WidthLeft();
  EXPECT_EQ(v.HeightText(), "75");
  v.Reset(2, 3);
  v.SetHeightText("5");
  v.HeightLeft();
  EXPECT_EQ(v.WidthText(), "3");
  v.Constrain = false;
  v.SetWidthText("50");
  v.WidthLeft();
  EXPECT_EQ(v.HeightText(), "5");
}

TEST(ResizeValues, OkNeedsTwoSidesAboveZeroThatFitTheStorage) {
  TResizeValues v;
  v.Reset(10, 10);
  EXPECT_TRUE(v.OkEnabled());
  v.SetWidthText("");
  EXPECT_FALSE(v.OkEnabled());
  v.SetWidthText("0");
  EXPECT_FALSE(v.OkEnabled());
  v.SetWidthText("99999999999999999999");
  EXPECT_FALSE(v.OkEnabled());
  v.SetWidthText("60000");
  v.SetHeightText("60000");  // 10.8 GB in 24 bits
  EXPECT_FALSE(v.OkEnabled());
  v.SetHeightText("6000");
  EXPECT_TRUE(v.OkEnabled());
  v.Reset(4, 1);
  v.SetWidthText("2");
  v.WidthLeft();  // the height becomes 0
  EXPECT_EQ(v.HeightText(), "0");
  EXPECT_FALSE(v.OkEnabled());
}

TEST(RotateAndBorderValues, DigitsOnlyAndTheDirection) {
  EXPECT_TRUE(IsDigitKey('7'));
  EXPECT_FALSE(IsDigitKey('\b'));
  EXPECT_FALSE(IsDigitKey('-'));
  EXPECT_TRUE(IsSizeEditKey('\b'));
  EXPECT_TRUE(IsSizeEditKey('\r'));
  EXPECT_FALSE(IsSizeEditKey('x'));
  EXPECT_EQ(ClockwiseAngle("30", true), 30);
  EXPECT_EQ(ClockwiseAngle("30", false), 330);
  EXPECT_EQ(ClockwiseAngle("0", false), 360);
  EXPECT_EQ(ClockwiseAngle("", true), std::nullopt);
  EXPECT_EQ(ClockwiseAngle("12a", true), std::nullopt);
  // 10^20 - 1 = 99999999999999999999; modulo 360 that is 279.
  EXPECT_EQ(ClockwiseAngle("99999999999999999999", true), 279);
  EXPECT_EQ(BorderWidth("20"), 20);
  EXPECT_EQ(BorderWidth(""), std::nullopt);
  EXPECT_EQ(BorderWidth("99999999999"), std::nullopt);
}

TEST(ColorRezValues, ControlsChooseTheirGroup) {
  TColorRezValues v;
  EXPECT_EQ(v.Choice().Depth, TColorDepth::Bits24);
  EXPECT_TRUE(v.OkEnabled());
  v.ChoosePalette(TColorRezPalette::Gray16);
  EXPECT_EQ(v.Choice().Depth, TColorDepth::Bits4);
  EXPECT_EQ(v.Choice().Palette4, TColorRezPalette::Gray16);
  v.SetIncludeSystemColors(false);
  EXPECT_EQ(v.Choice().Depth, TColorDepth::Bits8);
  EXPECT_EQ(v.Choice().Palette8, TColorRezPalette::Optimized8);
  v.SetCount4Text("1");
  EXPECT_FALSE(v.OkEnabled());
  EXPECT_EQ(v.Choice().Depth, TColorDepth::Bits4);
  EXPECT_EQ(v.Choice().Palette4, TColorRezPalette::Optimized4);
  v.SetCount4Text(" 12 ");
  EXPECT_TRUE(v.OkEnabled());
  EXPECT_EQ(v.Choice().Count4, 12);
  v.SetCount8Text("300");
  EXPECT_FALSE(v.OkEnabled());
  v.SetCount8Text("abc");
  EXPECT_FALSE(v.OkEnabled());
  v.SetCount8Text("200");
  EXPECT_TRUE(v.OkEnabled());
  EXPECT_EQ(v.Choice().Count8, 200);
  EXPECT_EQ(v.Choice().Depth, TColorDepth::Bits8);
}

TEST(CropArea, IntersectionWithThePicture) {
  auto r = IntersectWithPicture({5, 5, 10, 10}, 12, 100);
  EXPECT_EQ(r.Left, 5);
  EXPECT_EQ(r.Width, 7);
  EXPECT_EQ(r.Height, 10);
  EXPECT_TRUE(IntersectWithPicture({12, 0, 5, 5}, 12, 10).IsEmpty());
  EXPECT_TRUE(IntersectWithPicture({0, 0, 0, 5}, 12, 10).IsEmpty());
  r = IntersectWithPicture({2147483000, 0, 2147483000, 5}, 12, 10);
  EXPECT_TRUE(r.IsEmpty());
}

}  // namespace
