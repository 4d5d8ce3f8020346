// The picture view as a widget, painted offscreen and read back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include "imaging/formats/LoadSave.h"
#include "view/PGImage.h"
#include "view/PicBox.h"
#include "view/ViewCursors.h"

namespace {

// A picture with four coloured quadrants: red, green / blue, white.
std::unique_ptr<TPixelGraphic> Quadrants(int w, int h) {
  auto g = std::make_unique<TPixelGraphic>();
  g->SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool right = x >= w / 2, bottom = y >= h / 2;
      g->SetPixel(x, y, !bottom ? (right ? RGBColor(0, 255, 0) : RGBColor(255, 0, 0))
                                : (right ? RGBColor(255, 255, 255) : RGBColor(0, 0, 255)));
    }
  return g;
}

QColor At(TPGImage& view, int x, int y) {
  const QImage shot = view.viewport()->grab().toImage();
  return shot.pixelColor(x, y);
}

struct View : ::testing::Test {
  TPGImage view;
  void SetUp() override {
    view.resize(200, 150);
    view.SetColor(QColor(10, 20, 30));
  }
};

TEST_F(View, FitPoliciesPlaceThePaintBox) {
  view.TakePixelGraphic(Quadrants(300, 200));
  EXPECT_EQ(view.PicBoxBounds(), QRect(0, 0, 300, 200));  // sNeverKAR
  view.SetStretch(sAlwaysKAR);
  EXPECT_EQ(view.PicBoxBounds(), QRect(0, 0, 200, 133));
  EXPECT_DOUBLE_EQ(view.EffectiveScale(), 200.0 / 300);
  view.SetStretch(sAlways);
  EXPECT_EQ(view.PicBoxBounds().size(), QSize(200, 150));
  EXPECT_EQ(view.EffectiveScale(), -1.0);
  view.SetStretch(sZoomKAR);
  view.SetZoomFactor(0.25);
  EXPECT_EQ(view.PicBoxBounds().size(), QSize(75, 50));
  view.SetCenter(true);
  EXPECT_EQ(view.PicBoxBounds().topLeft(), QPoint(62, 50));
  EXPECT_EQ(view.PicBox()->geometry(), QRect(62, 50, 75, 50));
}

TEST_F(View, ScrollPositionsFollowTheRules) {
  view.TakePixelGraphic(Quadrants(400, 300));
  EXPECT_TRUE(view.HorizontalBarShown());
  EXPECT_TRUE(view.VerticalBarShown());
  const int bar = view.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int clientW = 200 - bar;
  EXPECT_EQ(view.horizontalScrollBar()->maximum(), 400 - clientW);
  view.horizontalScrollBar()->setValue(30);
  // A new picture of the same size keeps the user's position.
  view.TakePixelGraphic(Quadrants(400, 300));
  EXPECT_EQ(view.horizontalScrollBar()->value(), 30);
  EXPECT_EQ(view.PicBox()->x(), -30);
  // A forced rearrange without Center resets it.
  view.Rearrange(true);
  EXPECT_EQ(view.horizontalScrollBar()->value(), 0);
  // With Center a larger picture scrolls to its middle.
  view.SetCenter(true);
  EXPECT_EQ(view.horizontalScrollBar()->value(), (400 - clientW) / 2);
}

TEST_F(View, PaintsThePictureAndTheBackground) {
  view.TakePixelGraphic(Quadrants(100, 60));
  EXPECT_EQ(At(view, 10, 10), QColor(255, 0, 0));
  EXPECT_EQ(At(view, 90, 10), QColor(0, 255, 0));
  EXPECT_EQ(At(view, 10, 50), QColor(0, 0, 255));
  EXPECT_EQ(At(view, 150, 100), QColor(10, 20, 30));  // background band
  view.SetFlipHorizontal(true);
  EXPECT_EQ(At(view, 10, 10), QColor(0, 255, 0));
  view.SetFlipVertical(true);
  EXPECT_EQ(At(view, 10, 10), QColor(255, 255, 255));
}

TEST_F(View, TilingRepeatsAndMirrors) {
  view.TakePixelGraphic(Quadrants(40, 30));
  view.SetTiling(tRepeat);
  EXPECT_EQ(At(view, 45, 5), QColor(255, 0, 0));    // next tile to the right
  EXPECT_EQ(At(view, 5, 35), QColor(255, 0, 0));    // next tile below
  view.SetTiling(tMirror);
  EXPECT_EQ(At(view, 45, 5), QColor(0, 255, 0));    // mirrored: its right half first
  EXPECT_EQ(At(view, 5, 35), QColor(0, 0, 255));    // mirrored vertically
  view.SetFlipHorizontal(true);                     // column 0 mirrored, column 1 not
  EXPECT_EQ(At(view, 5, 5), QColor(0, 255, 0));
  EXPECT_EQ(At(view, 45, 5), QColor(255, 0, 0));
}

TEST_F(View, LoadsThroughFileNameAndReportsFailures) {
  QTemporaryDir dir;
  const QString path = dir.filePath("q.bmp");
  auto pic = Quadrants(30, 20);
  SaveToFile(*pic, path.toStdString());
  std::vector<std::pair<int, int>> sizes;
  view.OnNewAutoSize = [&](TPGImage&, int w, int h) { sizes.emplace_back(w, h); };
  view.SetFileName(path);
  ASSERT_FALSE(view.IsEmpty());
  EXPECT_EQ(view.FileName(), path);
  EXPECT_EQ(view.PixelGraphic()->Width(), 30);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back(), std::make_pair(30, 20));  // raised with AutoSize off too

  EXPECT_THROW(view.SetFileName(dir.filePath("missing.bmp")), EPixelGraphic);
  EXPECT_TRUE(view.IsEmpty());
  EXPECT_EQ(view.FileName(), QString());
  view.SetFileName(dir.path() + "/");  // a folder: emptied, nothing read
  EXPECT_TRUE(view.IsEmpty());
  EXPECT_EQ(view.FileName(), dir.path() + "/");
  EXPECT_THROW(view.SaveToFile(dir.filePath("x.bmp")), EPGEmpty);

  view.SetAutoSize(true);
  view.SetFileName(path);
  EXPECT_EQ(view.size(), QSize(30, 20));
}

TEST_F(View, ShownPictureChangesRunGraphicChanged) {
  view.TakePixelGraphic(Quadrants(40, 30));
  int changes = 0;
  view.OnPixelGraphicChange = [&](TPGImage&) { ++changes; };
  view.PixelGraphic()->SetSize(80, 60, pf24Bit);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(view.PicBoxBounds().size(), QSize(80, 60));
}

TEST_F(View, WorkerBuildsTheCopyAndKeepsOrDropsTheOldOne) {
  view.TakePixelGraphic(Quadrants(400, 300));
  view.SetStretch(sAlwaysKAR);
  view.SetStretchMode(smPrecise);
  view.viewport()->grab();  // orders the copy
  view.WaitForPaintCopy();
  ASSERT_NE(view.PaintPixelGraphic(), nullptr);
  EXPECT_EQ(view.PaintPixelGraphic()->Width(), view.PicBoxBounds().width());
  EXPECT_EQ(At(view, 5, 5), QColor(255, 0, 0));

  // A new picture while a copy is being built: the old result never replaces the new one.
  view.resize(180, 150);
  view.viewport()->grab();
  view.TakePixelGraphic(Quadrants(100, 300));
  view.viewport()->grab();
  view.WaitForPaintCopy();
  ASSERT_NE(view.PaintPixelGraphic(), nullptr);
  EXPECT_EQ(view.PaintPixelGraphic()->Width(), view.PicBoxBounds().width());
  EXPECT_EQ(view.PaintPixelGraphic()->Height(), view.PicBoxBounds().height());
}

TEST_F(View, KeepsTheOldCopyUntilTheNewOneArrives) {
  view.SetPicBoxColor(QColor(200, 200, 0));
  view.ProgressClockVisible = false;
  view.TakePixelGraphic(Quadrants(800, 600));
  view.SetStretch(sAlwaysKAR);
  view.SetStretchMode(smPrecise);
  view.viewport()->grab();
  view.WaitForPaintCopy();
  ASSERT_NE(view.PaintPixelGraphic(), nullptr);

  view.KeepOldPaintPixelGraphic = true;
  view.resize(160, 120);
  const QImage kept = view.viewport()->grab().toImage();  // new copy ordered, old one shown
  EXPECT_EQ(kept.pixelColor(5, 5), QColor(255, 0, 0));
  view.WaitForPaintCopy();
  EXPECT_EQ(view.PaintPixelGraphic()->Width(), view.PicBoxBounds().width());

  view.KeepOldPaintPixelGraphic = false;
  view.resize(200, 150);
  const QImage placeholder = view.viewport()->grab().toImage();
  EXPECT_EQ(placeholder.pixelColor(5, 5), QColor(200, 200, 0));
  view.WaitForPaintCopy();
  EXPECT_EQ(At(view, 5, 5), QColor(255, 0, 0));
}

TEST_F(View, WithoutThreadsThePaintBuildsTheCopy) {
  view.SetUseThread(false);
  view.TakePixelGraphic(Quadrants(400, 300));
  view.SetStretch(sAlwaysKAR);
  view.SetStretchMode(smMedium);
  EXPECT_EQ(At(view, 5, 5), QColor(255, 0, 0));
  ASSERT_NE(view.PaintPixelGraphic(), nullptr);
  EXPECT_EQ(view.PaintPixelGraphic()->Width(), 200);
}

TEST_F(View, PaletteScreensGetReducedCopies) {
  view.SetUseThread(false);
  view.TakePixelGraphic(Quadrants(60, 40));
  view.SetScreenDepth(8);
  view.viewport()->grab();
  ASSERT_NE(view.PaintPixelGraphic(), nullptr);
  EXPECT_EQ(view.PaintPixelGraphic()->PixelFormat(), pf8Bit);
  // Four colours: four boxes of the median cut, then the 16 system colours.
  EXPECT_EQ(view.PaintPixelGraphic()->PaletteCount(), 20);
  EXPECT_EQ(At(view, 5, 5), QColor(252, 2, 4));  // the centre of red's histogram cell
  view.SetScreenDepth(4);
  view.viewport()->grab();
  ASSERT_NE(view.PaintPixelGraphic(), nullptr);
  EXPECT_EQ(view.PaintPixelGraphic()->PaletteIdent(), pSys16);

  // Reduced once on load: the reduced picture replaces the shown one and stays.
  view.ReduceOnLoad = true;
  view.SetScreenDepth(8);
  view.TakePixelGraphic(Quadrants(60, 40));
  view.viewport()->grab();
  ASSERT_EQ(view.PixelGraphic()->PixelFormat(), pf8Bit);
  const TPixelGraphic* reduced = view.PixelGraphic();
  view.resize(300, 200);
  view.viewport()->grab();
  EXPECT_EQ(view.PixelGraphic(), reduced);
}

TEST_F(View, PlaceholderAndClocksWhileNothingCanBeDrawn) {
  view.SetPicBoxColor(QColor(200, 200, 0));
  view.SetPicBoxFrameColor(QColor(0, 0, 0));
  view.ProgressClockVisible = false;
  view.TakePixelGraphic(Quadrants(300, 300));
  view.SetStretch(sAlwaysKAR);
  view.SetStretchMode(smPrecise);
  const QImage shot = view.viewport()->grab().toImage();  // ordered, not built yet
  EXPECT_EQ(shot.pixelColor(75, 75), QColor(200, 200, 0));
  view.WaitForPaintCopy();
}

TEST_F(View, SelectionGestures) {
  view.TakePixelGraphic(Quadrants(100, 80));
  view.show();
  view.SetActionMode(amCreateSelection);
  int made = 0;
  view.OnSelectionMade = [&](TPGImage&) { ++made; };
  QWidget* box = view.PicBox();
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(box, QPoint(5, 20));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(5, 20));
  EXPECT_TRUE(view.Selection());
  EXPECT_EQ(view.SelectionRect(), (TSelRect{5, 10, 6, 11}));
  EXPECT_EQ(made, 1);
  // A click without movement leaves a 1 x 1 selection.
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(40, 40));
  EXPECT_EQ(view.SelectionRect(), (TSelRect{40, 40, 1, 1}));
  EXPECT_EQ(made, 2);
  // Drawing past the picture stays on it.
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(90, 70));
  QTest::mouseMove(box, QPoint(150, 150));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(150, 150));
  EXPECT_EQ(view.SelectionRect(), (TSelRect{90, 70, 10, 10}));

  // Move it far to the left: one column stays on the picture.
  view.SetActionMode(amMoveResizeCreateSelection);
  view.SetSelectionRect(20, 20, 50, 30);
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(30, 30));
  QTest::mouseMove(box, QPoint(-500, 30));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(-500, 30));
  EXPECT_EQ(view.SelectionRect().Left, -49);
  EXPECT_EQ(view.SelectionOnPicture(), (TSelRect{0, 20, 1, 30}));
  // The bottom-right grip resizes.
  view.SetSelectionRect(20, 20, 30, 30);
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(55, 55));
  QTest::mouseMove(box, QPoint(65, 60));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(65, 60));
  EXPECT_EQ(view.SelectionRect(), (TSelRect{20, 20, 40, 35}));
  view.SetSelectionLeft(-100);  // accepted unclamped from code
  EXPECT_EQ(view.SelectionRect().Left, -100);
}

TEST_F(View, CursorsFollowTheGesture) {
  view.TakePixelGraphic(Quadrants(100, 80));
  view.show();
  QWidget* box = view.PicBox();
  view.SetActionMode(amCreateSelection);
  QTest::mouseMove(box, QPoint(10, 10));
  EXPECT_EQ(box->cursor().hotSpot(), ViewCursors().CrossHair.hotSpot());
  view.SetActionMode(amMoveResizeCreateSelection);
  view.SetSelectionRect(20, 20, 30, 30);
  view.SetSelection(true);
  QTest::mouseMove(box, QPoint(30, 30));
  EXPECT_EQ(box->cursor().hotSpot(), ViewCursors().MoveArrows.hotSpot());
  QTest::mouseMove(box, QPoint(55, 55));
  EXPECT_EQ(box->cursor().shape(), Qt::SizeFDiagCursor);
  // A picture that fits: no hand in amMoveImage.
  view.SetActionMode(amMoveImage);
  QTest::mouseMove(box, QPoint(10, 10));
  EXPECT_EQ(box->cursor().shape(), view.cursor().shape());
  view.TakePixelGraphic(Quadrants(600, 500));
  QTest::mouseMove(box, QPoint(12, 12));
  EXPECT_EQ(box->cursor().hotSpot(), ViewCursors().OpenHand.hotSpot());
  // Dragging the picture scrolls it.
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(box, QPoint(60, 70));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(60, 70));
  EXPECT_EQ(view.horizontalScrollBar()->value(), 40);
  EXPECT_EQ(view.verticalScrollBar()->value(), 30);
}

TEST_F(View, MarqueeAnimates) {
  view.TakePixelGraphic(Quadrants(100, 80));
  view.SetSelectionRect(10, 10, 20, 20);
  view.SetSelection(true);
  const int before = view.MarqueePhase();
  QTest::qWait(130);
  EXPECT_NE(view.MarqueePhase(), before);
  view.SetSelection(false);
}

}  // namespace
