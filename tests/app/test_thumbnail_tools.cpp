// The thumbnail tools as the main window opens them: the explorer on the current folder with
// the enabled picture types, the sheet creator, and the image properties they ask for.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <QTemporaryDir>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "app/FilePropWindow.h"
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "controls/FileList.h"
#include "controls/FileListView.h"
#include "controls/ToolHost.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "thumbs/ThumbEditWindow.h"
#include "thumbs/ThumbListModel.h"
#include "thumbs/ThumbVexOptions.h"
#include "thumbs/ThumbnailsWindow.h"

namespace {

void SavePicture(const QString& path) {
  TPixelGraphic g;
  g.SetSize(8, 6, pf24Bit);
  SaveToFile(g, path.toStdString());
}

QAction* ToolsItem(TForm1& window, const QString& caption) {
  for (QAction* a : window.menuBar()->actions())
    if (a->text().remove('&') == "Tools")
      for (QAction* item : a->menu()->actions())
        if (item->text() == caption) return item;
  return nullptr;
}

QAction* ToolButton(TForm1& window, const QString& hint) {
  for (QAction* a : window.findChild<QToolBar*>("ToolBar1")->actions())
    if (a->toolTip() == hint) return a;
  return nullptr;
}

}  // namespace

TEST(ThumbnailTools, OpenedFromTheMainWindow) {
  QTemporaryDir dir;
  WriteSetting("FileTypes", "111111");
  WriteSetting("Directory", dir.path());
  for (const char* n : {"a.bmp", "b.bmp"}) SavePicture(dir.filePath(n));
  QFile text(dir.filePath("notes.txt"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.close();
  TWindows windows;
  TForm1& main = windows.Main();
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

  QAction* explorerItem = ToolsItem(main, "Thumbnail Explorer");
  ASSERT_NE(explorerItem, nullptr);
  ASSERT_NE(ToolButton(main, "Thumbnail Explorer"), nullptr);
  explorerItem->trigger();
  auto& explorer = windows.Get<TfrmThumbnails>();
  EXPECT_TRUE(explorer.isVisible());
  EXPECT_EQ(explorer.View(), TfrmThumbnails::vDetails);
  EXPECT_EQ(explorer.Model().Folder(), QDir(dir.path()).absolutePath() + "/");
  EXPECT_EQ(explorer.Model().rowCount(), 2);  // the picture types only

  ASSERT_NE(ToolButton(main, "ThumbVex Creator"), nullptr);
  ToolButton(main, "ThumbVex Creator")->trigger();
  auto& creator = windows.Get<TfrmThumbEdit>();
  EXPECT_TRUE(creator.isVisible());
  // While the creator is shown, the main file list's selected files can be dragged to it.
  TFileListView* list = main.FileListView();
  ASSERT_TRUE(list->CanStartDrag);
  EXPECT_TRUE(list->CanStartDrag());
  main.Files().MakeCurrent(1);
  main.Files().ClearSelection();
  main.Files().SetSelected(1, true);
  std::unique_ptr<QMimeData> data(list->SelectedFilesData());
  ASSERT_TRUE(data);
  ASSERT_EQ(data->urls().size(), 1);
  EXPECT_EQ(data->urls()[0].toLocalFile(), main.Files().PathOf(1));
  creator.ShowOptions();
  EXPECT_TRUE(windows.Get<TfrmThumbVexOptions>().isVisible());
  creator.hide();
  EXPECT_FALSE(windows.Get<TfrmThumbVexOptions>().isVisible());
  EXPECT_FALSE(list->CanStartDrag());

  // The explorer's image properties reach the properties window through the host.
  bool shown = false;
  QTimer::singleShot(0, [&] {
    auto& props = windows.Get<TfrmFileProp>();
    shown = props.isVisible();
    props.reject();
  });
  windows.Host().ShowImageProperties(dir.filePath("a.bmp"));
  EXPECT_TRUE(shown);
}
