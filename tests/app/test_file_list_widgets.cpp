// The main window's file list driven as a user drives it: clicks, Ctrl-clicks and keys on
// the real list, Next and Previous, a picture opened at start; and the window registry with
// the host interface the tool windows use.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "tests/app/QtPrinters.h"
#include "app/AboutBox.h"
#include "app/BookmarkEditor.h"
#include "app/MacroChannel.h"
#include "app/MainWindow.h"
#include "app/Startup.h"
#include "app/Windows.h"
#include "controls/FileListView.h"
#include "controls/ToolHost.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "view/PGImage.h"

namespace {

void SavePicture(const QString& path, int w, int h, TRGB color) {
  TPixelGraphic g;
  g.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g.SetPixel(x, y, color);
  SaveToFile(g, path.toStdString());
}

QString Name(int i) { return QStringLiteral("p%1.bmp").arg(i, 3, 10, QLatin1Char('0')); }

// A folder of `count` small pictures p000.bmp ... whose first one cannot be read.
struct LongFolder : ::testing::Test {
  QTemporaryDir dir;
  QStringList messages;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;
  TFileListView* list = nullptr;

  void Fill(int count) {
    QFile broken(dir.filePath(Name(0)));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM broken");
    broken.close();
    for (int i = 1; i < count; ++i) SavePicture(dir.filePath(Name(i)), 4 + i % 7, 3, RGBColor(i, 0, 0));
  }
  void SetUp() override {
    SetMessageHook([this](const QString& t) { messages << t; });
    WriteSetting("FileTypes", "111111");
    WriteSetting("Directory", dir.path());
  }
  void Open() {
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    list = window->FileListView();
    window->resize(700, 500);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  }
  void TearDown() override {
    windows.reset();
    SetMessageHook(nullptr);
  }
  QModelIndex Row(int i) const { return list->model()->index(i, 0); }
  void Click(int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, list->visualRect(Row(row)).center());
  }
  bool InView(int row) const { return list->viewport()->rect().contains(list->visualRect(Row(row))); }
  QList<int> Selected() const { return window->Files().SelectedRows(); }
  int CurrentRow() const { return list->currentIndex().row(); }
};

TEST_F(LongFolder, AClickFarDownShowsExactlyThatEntry) {
  Fill(100);
  Open();
  list->scrollToBottom();
  const int scrolled = list->verticalScrollBar()->value();
  ASSERT_GT(scrolled, 0);
  ASSERT_TRUE(InView(95));
  Click(95);
  EXPECT_EQ(window->StatusText(2), Name(95) + "  (8 x 3)");
  EXPECT_EQ(list->verticalScrollBar()->value(), scrolled);  // the list did not jump
  EXPECT_TRUE(messages.isEmpty()) << "the first entry was decoded: " << messages.join('|').toStdString();
  EXPECT_EQ(Selected(), QList<int>{95});
  // A Ctrl-click adds only the entry clicked.
  Click(90, Qt::ControlModifier);
  EXPECT_EQ(Selected(), (QList<int>{90, 95}));
  EXPECT_EQ(window->StatusText(2), Name(90) + "  (10 x 3)");
  EXPECT_TRUE(messages.isEmpty());
  // Clicking the entry on display again changes nothing and decodes nothing.
  Click(90);
  EXPECT_EQ(Selected(), QList<int>{90});
}

TEST_F(LongFolder, TheFirstClickOnTheFirstEntryShowsIt) {
  Fill(3);
  Open();
  // Selecting everything with the keyboard does not move the position: nothing is shown.
  list->setFocus();
  QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Selected(), (QList<int>{0, 1, 2}));
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(window->StatusText(2), "");
  Click(0);
  ASSERT_EQ(messages.size(), 1);  // the broken first picture was read, once
  EXPECT_EQ(Selected(), QList<int>{0});
  Click(1);
  EXPECT_EQ(window->StatusText(2), Name(1) + "  (5 x 3)");
  EXPECT_EQ(messages.size(), 1);
}

TEST_F(LongFolder, NextAndPreviousMoveTheListWithThem) {
  Fill(100);
  Open();
  for (int i = 0; i < 3; ++i) window->NextImage();
  EXPECT_EQ(Selected(), QList<int>{3});
  EXPECT_EQ(CurrentRow(), 3);
  EXPECT_EQ(window->StatusText(2), Name(3) + "  (7 x 3)");
  // The keyboard goes on from the entry on display.
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(Selected(), QList<int>{4});
  EXPECT_EQ(window->StatusText(2), Name(4) + "  (8 x 3)");
  // A Ctrl-click adds one entry to the one on display, no stale highlights.
  Click(6, Qt::ControlModifier);
  EXPECT_EQ(Selected(), (QList<int>{4, 6}));
  // Previous from the first entry wraps to the last, which is scrolled into view.
  window->Files().ClearSelection();
  window->Files().MakeCurrent(1);
  window->PreviousImage();
  window->PreviousImage();
  EXPECT_EQ(CurrentRow(), 99);
  EXPECT_EQ(Selected(), QList<int>{99});
  EXPECT_TRUE(InView(99));
  // The slideshow's ticks do the same.
  window->Slideshow().Tick();
  EXPECT_EQ(Selected(), QList<int>{0});
  EXPECT_TRUE(InView(0));
}

TEST_F(LongFolder, APictureGivenAtStartIsShownSelectedAndInView) {
  Fill(100);
  QTemporaryDir runtime;
  TMacroQueue queue;
  queue.Receive("[Open(\"" + dir.filePath(Name(80)) + "\")]");  // before the window exists
  windows = StartBrowser(queue, nullptr);
  window = &windows->Main();
  list = window->FileListView();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  QTest::qWait(20);
  EXPECT_EQ(window->StatusText(2), Name(80) + "  (7 x 3)");
  EXPECT_EQ(window->PGImage1()->size(), QSize(7, 3)) << "a small picture is shown at its natural size";
  EXPECT_EQ(Selected(), QList<int>{80});
  EXPECT_EQ(CurrentRow(), 80);
  EXPECT_TRUE(InView(80));
}

TEST_F(LongFolder, TheRegistryCreatesEachWindowOnceBehindTheMainWindow) {
  Fill(5);
  Open();
  TfBMEdit& editor = windows->Get<TfBMEdit>();
  EXPECT_EQ(&editor, &windows->Get<TfBMEdit>());
  EXPECT_FALSE(editor.isVisible());
  EXPECT_FALSE(windows->Get<TfAbout>().isVisible());
  // The host interface: the main window's folder, mask, files and selection.
  TToolHost& host = windows->Host();
  EXPECT_EQ(host.CurrentFolder(), dir.path());
  EXPECT_TRUE(host.FileMask().contains("*.bmp"));
  EXPECT_EQ(host.CurrentFile(), "");
  Click(2);
  Click(4, Qt::ShiftModifier);
  EXPECT_EQ(host.CurrentFile(), dir.filePath(Name(4)));
  EXPECT_EQ(host.SelectedFiles(),
            (QStringList{dir.filePath(Name(2)), dir.filePath(Name(3)), dir.filePath(Name(4))}));
  // A tool adds a file and asks for it: the folder is read again and the file shown alone.
  SavePicture(dir.filePath("p003a.bmp"), 9, 9, 0);
  host.RefreshFolder();
  host.ShowFile(dir.filePath("p003a.bmp"));
  EXPECT_EQ(host.SelectedFiles(), QStringList{dir.filePath("p003a.bmp")});
  EXPECT_EQ(window->StatusText(2), "p003a.bmp  (9 x 9)");
  // In another folder, that folder becomes current.
  QTemporaryDir other;
  SavePicture(other.filePath("x.bmp"), 6, 6, 0);
  host.ShowFile(other.filePath("x.bmp"));
  EXPECT_EQ(host.CurrentFolder(), other.path());
  EXPECT_EQ(host.CurrentFile(), other.filePath("x.bmp"));
  // Closing the main window closes the others with it.
  editor.show();
  window->close();
  EXPECT_FALSE(editor.isVisible());
}

}  // namespace
