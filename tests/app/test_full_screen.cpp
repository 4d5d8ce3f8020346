// The full-screen view: opening with F11 and a double-click, stepping with keys and the wheel,
// returning with Escape, the slideshow on the full screen, the hiding cursor and the switch.
#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "app/FullScreenView.h"
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "view/PGImage.h"
#include "view/PicBox.h"
#include "tests/app/MainWindowFixture.h"

namespace {

using testing_app::SavePicture;

struct FullScreen : testing_app::MainWindowFixture {
  void SetUp() override {
    MainWindowFixture::SetUp();
    WriteSetting("Full Screen", "1");
    SavePicture(dir.filePath("a.bmp"), 40, 30, RGBColor(255, 0, 0));
    SavePicture(dir.filePath("b.bmp"), 300, 600, RGBColor(0, 255, 0));
    SavePicture(dir.filePath("c.bmp"), 50, 50, RGBColor(0, 0, 255));
    OpenWindow();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->Files().MakeCurrent(0);
    window->ShowFile(window->Files().PathOf(0));
  }

  TFullScreenView* View() const { return window->FullScreenView(); }
  QString Current() const { return QFileInfo(window->Files().CurrentFile()).fileName(); }
  // The colour at the middle of the full screen.
  QRgb Middle() const {
    const QImage& shown = View()->Shown();
    return shown.isNull() ? 0 : shown.pixel(shown.width() / 2, shown.height() / 2) & 0xFFFFFF;
  }
  void Key(int key) { QTest::keyClick(View(), Qt::Key(key)); }
};

TEST(FullScreenRules, KeysAndFit) {
  EXPECT_EQ(FullScreenStepForKey(Qt::Key_Right), TFullScreenStep::Next);
  EXPECT_EQ(FullScreenStepForKey(Qt::Key_Space), TFullScreenStep::Next);
  EXPECT_EQ(FullScreenStepForKey(Qt::Key_PageDown), TFullScreenStep::Next);
  EXPECT_EQ(FullScreenStepForKey(Qt::Key_PageUp), TFullScreenStep::Previous);
  EXPECT_EQ(FullScreenStepForKey(Qt::Key_Left), TFullScreenStep::Previous);
  EXPECT_EQ(FullScreenStepForKey(Qt::Key_Home), TFullScreenStep::First);
  EXPECT_EQ(FullScreenStepForKey(Qt::Key_End), TFullScreenStep::Last);
  EXPECT_FALSE(FullScreenStepForKey(Qt::Key_A).has_value());
  EXPECT_EQ(FullScreenFitSize(QSize(40, 30), QSize(800, 600)), QSize(800, 600));
  EXPECT_EQ(FullScreenFitSize(QSize(300, 600), QSize(800, 600)), QSize(300, 600));
  EXPECT_EQ(FullScreenFitSize(QSize(6000, 4000), QSize(1920, 1080)), QSize(1620, 1080));
  // Sides whose products pass 32 bits still fit.
  EXPECT_EQ(FullScreenFitSize(QSize(1 << 30, 1 << 29), QSize(1000, 1000)), QSize(1000, 500));
  EXPECT_FALSE(FullScreenFitSize(QSize(), QSize(800, 600)).isValid());
}

TEST_F(FullScreen, F11OpensFittedOnBlackAndKeysStep) {
  QTest::keyClick(window, Qt::Key_F11);
  ASSERT_TRUE(window->FullScreenShown());
  EXPECT_TRUE(View()->isFullScreen());
  EXPECT_EQ(View()->Shown().size(), FullScreenFitSize(QSize(40, 30), View()->size()));
  EXPECT_EQ(Middle(), 0xFF0000u);
  const QImage screen = View()->grab().toImage();
  if (View()->Shown().width() < View()->width()) {
    EXPECT_EQ(screen.pixel(0, screen.height() / 2) & 0xFFFFFF, 0u);  // black around it
  }

  Key(Qt::Key_Right);
  EXPECT_EQ(Current(), "b.bmp");
  EXPECT_EQ(Middle(), 0x00FF00u);
  EXPECT_EQ(View()->Shown().height(), View()->height());
  Key(Qt::Key_Space);
  EXPECT_EQ(Current(), "c.bmp");
  Key(Qt::Key_PageDown);  // wraps round like the slideshow
  EXPECT_EQ(Current(), "a.bmp");
  Key(Qt::Key_End);
  EXPECT_EQ(Current(), "c.bmp");
  EXPECT_EQ(Middle(), 0x0000FFu);
  Key(Qt::Key_Home);
  EXPECT_EQ(Current(), "a.bmp");
  Key(Qt::Key_PageUp);
  EXPECT_EQ(Current(), "c.bmp");
  EXPECT_EQ(window->Files().SelectedRows().size(), 1);
  EXPECT_EQ(window->StatusText(2), "c.bmp  (50 x 50)");

  Key(Qt::Key_Escape);
  EXPECT_FALSE(window->FullScreenShown());
  EXPECT_TRUE(View()->Shown().isNull());
}

TEST_F(FullScreen, WheelStepsAndDoubleClickOpensAndCloses) {
  QWidget* picture = window->PGImage1()->PicBox();
  QTest::mouseDClick(picture, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(window->FullScreenShown());
  const QPointF at(10, 10);
  auto wheel = [&](int dy) {
    QWheelEvent e(at, View()->mapToGlobal(at), QPoint(), QPoint(0, dy), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(View(), &e);
  };
  wheel(-120);
  EXPECT_EQ(Current(), "b.bmp");
  wheel(60);  // half a notch: nothing yet
  EXPECT_EQ(Current(), "b.bmp");
  wheel(60);
  EXPECT_EQ(Current(), "a.bmp");
  QTest::mouseDClick(View(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(window->FullScreenShown());
}

TEST_F(FullScreen, SlideshowRunsOnTheFullScreen) {
  window->EnterFullScreen();
  ASSERT_TRUE(window->FullScreenShown());
  Key(Qt::Key_S);
  EXPECT_TRUE(window->Slideshow().Running());
  EXPECT_TRUE(window->LumivexBtn()->isChecked());
  window->Slideshow().Tick();
  EXPECT_EQ(Current(), "b.bmp");
  EXPECT_EQ(Middle(), 0x00FF00u);
  Key(Qt::Key_S);
  EXPECT_FALSE(window->Slideshow().Running());
  Key(Qt::Key_Escape);
}

TEST_F(FullScreen, CursorHidesAfterStillnessAndReturnsOnMovement) {
  window->EnterFullScreen();
  ASSERT_TRUE(window->FullScreenShown());
  EXPECT_FALSE(View()->CursorHidden());
  QTRY_VERIFY_WITH_TIMEOUT(View()->CursorHidden(), TFullScreenView::kCursorHideMs + 2000);
  EXPECT_EQ(View()->cursor().shape(), Qt::BlankCursor);
  QTest::mouseMove(View(), QPoint(30, 30));
  EXPECT_FALSE(View()->CursorHidden());
  Key(Qt::Key_Escape);
}

TEST_F(FullScreen, SwitchedOffInThePreferences) {
  TViewingSettings off = window->Viewing();
  off.FullScreen = false;
  window->SetViewing(off);
  QTest::keyClick(window, Qt::Key_F11);
  EXPECT_FALSE(window->FullScreenShown());
  QTest::mouseDClick(window->PGImage1()->PicBox(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(window->FullScreenShown());
  // The stored value is read at start-up.
  off.Save();
  EXPECT_FALSE(TViewingSettings::Load().FullScreen);
  WriteSetting("Full Screen", "garbage");
  EXPECT_TRUE(TViewingSettings::Load().FullScreen);
}

}  // namespace
