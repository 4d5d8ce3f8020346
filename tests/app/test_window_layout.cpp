// The main window's layout between runs and files dragged out of its list: the first start
// fits the screen, the left pane keeps its width, the drag carries text/uri-list.
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

TEST_F(WindowLayout, DraggedEntriesCarryTheirFilesAsUriList) {
  TWindows windows;
  TForm1& window = windows.Main();
  window.SetFolder(dir.path());
  TFileListModel& files = window.Files();
  ASSERT_EQ(files.Count(), 3);
  EXPECT_TRUE(files.flags(files.index(0)) & Qt::ItemIsDragEnabled);
  EXPECT_TRUE(files.mimeTypes().contains("text/uri-list"));
  std::unique_ptr<QMimeData> data(files.mimeData({files.index(2), files.index(1)}));
  ASSERT_TRUE(data);
  ASSERT_TRUE(data->hasUrls());
  const QList<QUrl> urls = data->urls();
  ASSERT_EQ(urls.size(), 2);
  EXPECT_EQ(urls[0].toLocalFile(), dir.filePath("b b.bmp"));  // list order, spaces kept
  EXPECT_EQ(urls[1].toLocalFile(), dir.filePath("c#.bmp"));
  EXPECT_TRUE(data->data("text/uri-list").startsWith("file://"));
  EXPECT_EQ(files.mimeData({}), nullptr);
}

TEST_F(WindowLayout, PressingAndMovingStillSelectsARangeFromAnUnselectedEntry) {
  TWindows windows;
  TForm1& window = windows.Main();
  window.resize(700, 500);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.SetFolder(dir.path());
  TFileListView* list = window.FileListView();
  QTest::qWait(20);
  const QPoint first = list->visualRect(window.Files().index(0)).center();
  const QPoint last = list->visualRect(window.Files().index(2)).center();
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, first);
  QMouseEvent move(QEvent::MouseMove, last, list->viewport()->mapToGlobal(last), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list->viewport(), &move);
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, last);
  EXPECT_EQ(window.Files().SelectedRows(), QList<int>({0, 1, 2}));
  // A press on a selected entry begins a drag out instead.
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, last);
  EXPECT_TRUE(list->dragEnabled());
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, last);
}

}  // namespace
