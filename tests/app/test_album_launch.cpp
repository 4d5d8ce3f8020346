// The album maker from the browser: opened by "VexAlbums", and files dragged from the file
// list to it.
#include <gtest/gtest.h>

#include <QAction>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "albums/AlbumForm.h"
#include "albums/AlbumList.h"
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "controls/FileList.h"
#include "controls/FileListView.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"

namespace {

struct AlbumLaunch : ::testing::Test {
  QTemporaryDir dir;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;

  void SetUp() override {
    SetMessageHook([](const QString&) {});
    WriteSetting("FileTypes", "111111");
    WriteSetting("Directory", dir.path());
    for (const char* n : {"a.bmp", "b.bmp", "c.bmp"}) {
      TPixelGraphic g;
      g.SetSize(8, 6, pf24Bit);
      SaveToFile(g, dir.filePath(n).toStdString());
    }
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  }
  void TearDown() override {
    windows.reset();
    SetMessageHook(nullptr);
  }
};

}  // namespace

TEST_F(AlbumLaunch, VexAlbumsShowsTheAlbumMakerFromMenuAndToolbar) {
  TfAlbum& album = windows->Get<TfAlbum>();
  EXPECT_FALSE(album.isVisible());
  QAction* menuItem = window->findChild<QAction*>(QStringLiteral("VexAlbums1"));
  ASSERT_NE(menuItem, nullptr);
  menuItem->trigger();
  EXPECT_TRUE(album.isVisible());
  album.hide();
  QAction* button = window->findChild<QAction*>(QStringLiteral("VexAlbumsButton"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->toolTip(), QStringLiteral("VexAlbums"));
  button->trigger();
  EXPECT_TRUE(album.isVisible());
}

TEST_F(AlbumLaunch, SelectedFilesAreDraggedToTheAlbumOnlyWhileItIsShown) {
  TFileListView* list = window->FileListView();
  ASSERT_TRUE(list->CanStartDrag);
  QTRY_COMPARE(window->Files().Count(), 3);
  EXPECT_FALSE(list->CanStartDrag());
  TfAlbum& album = windows->Get<TfAlbum>();
  album.show();
  EXPECT_TRUE(list->CanStartDrag());

  window->Files().SetSelected(0, true);
  window->Files().SetSelected(2, true);
  std::unique_ptr<QMimeData> data(list->SelectedFilesData());
  ASSERT_TRUE(data);
  // What the file list hands over, dropped on the album's list.
  QWidget* target = album.LVAlbum()->viewport();
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  ASSERT_EQ(album.Editor().Count(), 2);
  EXPECT_EQ(QString::fromStdString(album.Editor().Entry(0).Path), dir.filePath("a.bmp"));
  EXPECT_EQ(QString::fromStdString(album.Editor().Entry(1).Path), dir.filePath("c.bmp"));
}
