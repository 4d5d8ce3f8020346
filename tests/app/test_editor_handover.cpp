// The main window hands its current file to the image editor: F8, double-click and the menus.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "controls/FileList.h"
#include "controls/FileListView.h"
#include "editor/AcquireWindow.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "view/PGImage.h"

namespace {

struct EditorHandOver : ::testing::Test {
  QTemporaryDir dir;
  QStringList messages;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;

  void SetUp() override {
    SetMessageHook([this](const QString& t) { messages << t; });
    WriteSetting("FileTypes", "111111");
    WriteSetting("Directory", dir.path());
    for (const char* n : {"a.bmp", "b.bmp"}) {
      TPixelGraphic g;
      g.SetSize(n[0] == 'a' ? 12 : 20, 8, pf24Bit);
      SaveToFile(g, dir.filePath(n).toStdString());
    }
    QFile broken(dir.filePath("c.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM but nothing else");
    broken.close();
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    window->resize(800, 500);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  }
  void TearDown() override {
    windows.reset();
    SetMessageHook(nullptr);
  }
  TfrmAcquire& Editor() { return windows->Get<TfrmAcquire>(); }
  void MakeCurrent(const QString& name) {
    TFileListModel& files = window->Files();
    const int at = files.Find(name);
    ASSERT_GE(at, 0);
    files.MakeCurrent(at);
  }
};

TEST_F(EditorHandOver, F8HandsTheCurrentFileOver) {
  EXPECT_FALSE(Editor().isVisible());
  QTest::keyClick(window, Qt::Key_F8);  // no current file yet: nothing
  EXPECT_FALSE(Editor().isVisible());
  MakeCurrent("b.bmp");
  Editor().Editor().Undo().Prepare(TPixelGraphic(), "Crop");
  QTest::keyClick(window, Qt::Key_F8);
  ASSERT_TRUE(Editor().isVisible());
  ASSERT_FALSE(Editor().PGImage1()->IsEmpty());
  EXPECT_EQ(Editor().PGImage1()->PixelGraphicNoWait()->Width(), 20);
  EXPECT_EQ(Editor().PGImage1()->ZoomFactor(), 1.0);
  EXPECT_FALSE(Editor().UndoAction()->isEnabled());
  EXPECT_EQ(Editor().UndoAction()->text(), "Undo");
  EXPECT_EQ(Editor().windowTitle(), "Lumivex Image Editor - b.bmp");
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(EditorHandOver, DoubleClickAndTheMenusOpenTheEditorToo) {
  MakeCurrent("a.bmp");
  QAction* edit = window->findChild<QAction*>("OpenLumivexEditor1");
  ASSERT_TRUE(edit);
  edit->trigger();
  EXPECT_TRUE(Editor().isVisible());
  EXPECT_EQ(Editor().PGImage1()->PixelGraphicNoWait()->Width(), 12);
  Editor().hide();
  ASSERT_TRUE(window->findChild<QAction*>("EditInLumivex1"));
  ASSERT_TRUE(window->findChild<QAction*>("EditWithLumivex1"));
  MakeCurrent("b.bmp");
  TFileListView* list = window->FileListView();
  const QPoint at =
      list->visualRect(list->model()->index(window->Files().Find("b.bmp"), 0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  EXPECT_TRUE(Editor().isVisible());
  EXPECT_EQ(Editor().PGImage1()->PixelGraphicNoWait()->Width(), 20);
  Editor().hide();
  window->findChild<QAction*>("VexEditor1")->trigger();  // shown as it is
  EXPECT_TRUE(Editor().isVisible());
  EXPECT_EQ(Editor().PGImage1()->PixelGraphicNoWait()->Width(), 20);
}

TEST_F(EditorHandOver, AnUnreadableFileCannotBeEdited) {
  MakeCurrent("c.bmp");
  QTest::keyClick(window, Qt::Key_F8);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Can not edit " + dir.filePath("c.bmp")));
  EXPECT_FALSE(Editor().isVisible());
}

}  // namespace
