// Large JPEG pictures shown fitted are decoded at a reduced scale for the screen: the status
// bar still gives the true size, copying gets the full picture, a larger pane or full screen
// reads it in full, the preload reads ahead the same way, and the switch turns it off.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTest>

#include "tests/app/MainWindowFixture.h"
#include "view/PGImage.h"
#include "view/Preloader.h"

namespace {

void SavePhoto(const QString& path, int w, int h) {
  TPixelGraphic g;
  g.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = g.ScanLine(y);
    for (int x = 0; x < w; ++x, row += 3) {
      row[0] = static_cast<std::uint8_t>(x / 10);
      row[1] = static_cast<std::uint8_t>(y / 8);
      row[2] = 90;
    }
  }
  SaveToFile(g, path.toStdString());
}

struct ReducedDecode : testing_app::MainWindowFixture {
  void SetUp() override {
    MainWindowFixture::SetUp();
    SavePhoto(dir.filePath("a.jpg"), 2400, 1600);
    SavePhoto(dir.filePath("b.jpg"), 1600, 2400);
    testing_app::SavePicture(dir.filePath("c.bmp"), 40, 30, RGBColor(1, 2, 3));
  }
  void Open(bool reduced, bool preload) {
    WriteSetting("Reduced Decode", reduced ? "1" : "0");
    WriteSetting("Preload", preload ? "1" : "0");
    OpenWindow();
    window->Files().MakeCurrent(0);
    window->ShowFile(window->Files().PathOf(0));
  }
  QSize Held() const {
    const TPixelGraphic* g = window->PGImage1()->PixelGraphicNoWait();
    return g ? QSize(g->Width(), g->Height()) : QSize();
  }
};

TEST_F(ReducedDecode, FittedPhotoIsHeldSmallButTellsAndCopiesItsTrueSize) {
  Open(true, false);
  ASSERT_TRUE(window->ShowsReducedPicture());
  // Decoded at a DCT scale that still covers the fitted view (the pane is under 900 wide).
  EXPECT_LT(Held().width(), 1200);
  EXPECT_GE(Held().width(), window->PGImage1()->width());
  EXPECT_EQ(window->StatusText(2), "a.jpg  (2400 x 1600)");
  const QSize shown = window->PGImage1()->size();
  // Copy: the full picture, and the view keeps its place and size.
  window->CopyToClipboard();
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(2400, 1600));
  EXPECT_FALSE(window->ShowsReducedPicture());
  EXPECT_EQ(Held(), QSize(2400, 1600));
  EXPECT_EQ(window->PGImage1()->size(), shown);
  EXPECT_EQ(window->StatusText(2), "a.jpg  (2400 x 1600)");
}

TEST_F(ReducedDecode, APaneShowingMoreOfItReadsItInFull) {
  Open(true, false);
  ASSERT_TRUE(window->ShowsReducedPicture());
  // Shown at its own size or close to it (more than half): the full picture.
  window->resize(2600, 1800);
  QTest::qWait(20);
  window->FitToPane();
  EXPECT_FALSE(window->ShowsReducedPicture());
  EXPECT_EQ(Held(), QSize(2400, 1600));
}

TEST_F(ReducedDecode, PreloadReadsAheadReducedAndSmallPicturesStayFull) {
  Open(true, true);
  window->Preloader().WaitIdle();
  ASSERT_TRUE(window->Preloader().Cache().Contains(dir.filePath("b.jpg").toStdString()));
  window->NextImage();
  EXPECT_EQ(window->PGImage1()->FileName(), dir.filePath("b.jpg"));
  EXPECT_TRUE(window->ShowsReducedPicture());
  EXPECT_LT(Held().height(), 1200);
  EXPECT_EQ(window->StatusText(2), "b.jpg  (1600 x 2400)");
  window->Preloader().WaitIdle();
  window->NextImage();  // a small picture is never reduced
  EXPECT_FALSE(window->ShowsReducedPicture());
  EXPECT_EQ(Held(), QSize(40, 30));
}

TEST_F(ReducedDecode, SwitchedOffEveryPictureIsReadInFull) {
  Open(false, false);
  EXPECT_FALSE(window->ShowsReducedPicture());
  EXPECT_EQ(Held(), QSize(2400, 1600));
  EXPECT_EQ(window->StatusText(2), "a.jpg  (2400 x 1600)");
}

}  // namespace
