// The main window's layout between runs: the first start fits the screen, the left pane keeps
// its width.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "controls/FileListView.h"
#include "platform/Messages.h"
#include "platform/Settings.h"

namespace {

struct WindowLayout : ::testing::Test {
  QTemporaryDir dir;
  void SetUp() override {
    SetMessageHook([](const QString&) {});
    WriteSetting("FileTypes", "111111");
    WriteSetting("Directory", dir.path());
    for (const char* name : {"a.bmp", "b b.bmp", "c#.bmp"}) {
      QFile f(dir.filePath(name));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
  }
  void TearDown() override { SetMessageHook(nullptr); }
};

TEST_F(WindowLayout, FirstStartFitsTheScreenAndStoredPlacementWinsAfterwards) {
  QSettings("Corvane", "LumivexTrial").remove("Width");
  const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
  {
    TWindows windows;
    const QRect at = windows.Main().geometry();
    EXPECT_TRUE(free.contains(at)) << "the first window must fit the screen";
    EXPECT_GE(at.width(), std::min(600, free.width()));
    EXPECT_GE(at.width(), free.width() * 3 / 4 - 1);
    windows.Main().setGeometry(free.x() + 10, free.y() + 20, 500, 380);
    windows.Main().close();
  }
  TWindows again;
  EXPECT_EQ(again.Main().geometry().size(), QSize(500, 380));
}

TEST_F(WindowLayout, LeftPaneWidthIsKeptBetweenRuns) {
  {
    TWindows windows;
    windows.Main().resize(900, 600);
    windows.Main().show();
    windows.Main().Splitter()->setSizes({260, 640});
    EXPECT_EQ(windows.Main().LeftPaneWidth(), 260);
    windows.Main().close();
  }
  TWindows again;
  again.Main().resize(900, 600);
  again.Main().show();
  QTest::qWait(10);
  EXPECT_EQ(again.Main().LeftPaneWidth(), 260);
  WriteSetting("Left Pane Width", "nonsense");
  TWindows third;  // an unreadable width keeps the usual one
  third.Main().resize(900, 600);
  third.Main().show();
  EXPECT_GT(third.Main().LeftPaneWidth(), 0);
}

}  // namespace
