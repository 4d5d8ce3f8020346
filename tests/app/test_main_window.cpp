// The main window offscreen: file list, ShowFile, fitting, refresh, stepping, slideshow,
// bookmarks, settings and open requests.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QListView>
#include <QMenu>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "tests/app/QtPrinters.h"
#include "controls/DisplayControls.h"
#include "controls/FileListView.h"
#include "controls/FolderTree.h"
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "platform/Messages.h"
#include "app/Settings.h"
#include "imaging/formats/LoadSave.h"
#include "view/GIFImage.h"
#include "view/PGImage.h"

namespace {

void SavePicture(const QString& path, int w, int h, TRGB color) {
  TPixelGraphic g;
  g.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g.SetPixel(x, y, color);
  SaveToFile(g, path.toStdString());
}

struct MainWindow : ::testing::Test {
  QTemporaryDir dir;
  QStringList messages;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;

  void SetUp() override {
    SetMessageHook([this](const QString& t) { messages << t; });
    WriteSetting("FileTypes", "111111");
    WriteSetting("Directory", dir.path());
    SavePicture(dir.filePath("a.bmp"), 40, 30, RGBColor(255, 0, 0));
    SavePicture(dir.filePath("b.bmp"), 2000, 1000, RGBColor(0, 255, 0));
    SavePicture(dir.filePath("c.bmp"), 50, 50, RGBColor(0, 0, 255));
    SavePicture(dir.filePath("d.png.bmp"), 10, 10, 0);
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    window->SetBookmarkFile(dir.filePath("bm/bookmrks.dat"));
    window->resize(900, 600);
    window->show();
    QTest::qWait(20);
  }
  void TearDown() override { SetMessageHook(nullptr); }
  QString Path(const char* name) const { return dir.filePath(name); }
};

TEST_F(MainWindow, FileListFollowsTheMask) {
  EXPECT_EQ(window->Files().Count(), 4);
  EXPECT_EQ(window->FileListView()->model()->rowCount(), 4);
  WriteSetting("FileTypes", "0000000000");
  window->ApplyFileTypeMask();
  EXPECT_EQ(window->Files().Count(), 0);
  WriteSetting("FileTypes", "0010000");
  window->ApplyFileTypeMask();
  EXPECT_EQ(window->Files().Count(), 4);
  EXPECT_EQ(window->StatusText(0), "4 files");
}

TEST_F(MainWindow, ShowFileStatusAndNaturalSize) {
  window->ShowFile(Path("a.bmp"));
  EXPECT_EQ(window->StatusText(0), "4 files");
  EXPECT_EQ(window->StatusText(1), QString::number(QFileInfo(Path("a.bmp")).size() / 1024 + 1) + "K");
  EXPECT_EQ(window->StatusText(2), "a.bmp  (40 x 30)");
  EXPECT_EQ(window->DisplayKind(), "BMP");
  EXPECT_TRUE(window->PGImage1()->isVisible());
  EXPECT_EQ(window->PGImage1()->size(), QSize(40, 30));
  EXPECT_EQ(window->PGImage1()->pos(), QPoint(4, 4));
  EXPECT_TRUE(window->Files().IsSelected(0));
  EXPECT_FALSE(window->Led()->Lit());  // dark again once the file is shown
}

TEST_F(MainWindow, LargePicturesAreFittedKeepingTheirShape) {
  window->ShowFile(Path("b.bmp"));
  const QSize pane = window->ViewingPane()->size();
  const QSize shown = window->PGImage1()->size();
  EXPECT_TRUE(shown.width() == pane.width() - 8 || shown.height() == pane.height() - 8);
  EXPECT_NEAR(static_cast<double>(shown.width()) / shown.height(), 2.0, 0.02);
  // Auto Zoom fits small pictures too; releasing it returns to the natural size.
  window->Files().MakeCurrent(0);
  window->ShowFile(Path("a.bmp"));
  window->SetAutoZoom(true);
  EXPECT_GT(window->PGImage1()->width(), 40);
  window->SetAutoZoom(false);
  EXPECT_EQ(window->PGImage1()->size(), QSize(40, 30));
}

TEST_F(MainWindow, UnreadableFilesReachTheErrorBox) {
  QFile bad(Path("e.bmp"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("BM not really");
  bad.close();
  window->Refresh();
  window->ShowFile(Path("e.bmp"));
  ASSERT_FALSE(messages.isEmpty());
  EXPECT_FALSE(window->PGImage1()->isVisible());
  EXPECT_FALSE(window->Led()->Lit());
}

TEST_F(MainWindow, RefreshKeepsTheCurrentEntry) {
  window->Files().MakeCurrent(2);
  SavePicture(Path("0first.bmp"), 5, 5, 0);
  window->Refresh();
  EXPECT_EQ(window->Files().Count(), 5);
  EXPECT_EQ(window->Files().CurrentIndex(), 3);
  EXPECT_EQ(window->Files().Names()[3], "c.bmp");
  EXPECT_EQ(window->StatusText(0), "5 files");
}

TEST_F(MainWindow, NextAndPreviousWrapAround) {
  window->NextImage();  // fresh folder: entry 1
  EXPECT_EQ(window->Files().CurrentIndex(), 1);
  EXPECT_TRUE(window->StatusText(2).startsWith("b.bmp"));
  window->PreviousImage();
  window->PreviousImage();
  EXPECT_EQ(window->Files().CurrentIndex(), 3);
  window->NextImage();
  EXPECT_EQ(window->Files().CurrentIndex(), 0);
}

TEST_F(MainWindow, ArrowButtonsAreNamedForScreenReadersAndStep) {
  auto named = [&](const QString& name) -> QToolButton* {
    for (QToolButton* b : window->findChildren<QToolButton*>())
      if (b->accessibleName() == name) return b;
    return nullptr;
  };
  QToolButton* next = named("Next Image");
  QToolButton* previous = named("Previous Image");
  ASSERT_NE(next, nullptr);
  ASSERT_NE(previous, nullptr);
  QTest::mouseClick(next, Qt::LeftButton);
  EXPECT_EQ(window->Files().CurrentIndex(), 1);
  QTest::mouseClick(previous, Qt::LeftButton);
  QTest::mouseClick(previous, Qt::LeftButton);
  EXPECT_EQ(window->Files().CurrentIndex(), 3);
}

TEST_F(MainWindow, SlideshowStartsTicksRestartsAndStops) {
  window->LumivexBtn()->setChecked(true);
  window->Slideshow().ButtonClick(true);
  EXPECT_TRUE(window->Slideshow().Running());
  EXPECT_EQ(window->Files().CurrentIndex(), 0);
  EXPECT_TRUE(window->StatusText(2).startsWith("a.bmp"));
  EXPECT_FALSE(window->BookmarksMenu()->isEnabled());
  window->Slideshow().Tick();
  EXPECT_EQ(window->Files().CurrentIndex(), 1);
  // The arrows change the interval at once and do not wrap.
  window->SecondsBox()->setValue(60);
  window->SecondsBox()->stepUp();
  EXPECT_EQ(window->SecondsBox()->value(), 60);
  EXPECT_EQ(window->Slideshow().Timer().interval(), 60000);
  // A folder change restarts the show at the new folder's first file.
  QTemporaryDir other;
  SavePicture(other.filePath("z.bmp"), 8, 8, 0);
  SavePicture(other.filePath("y.bmp"), 8, 8, 0);
  window->SetFolder(other.path());
  EXPECT_TRUE(window->Slideshow().Running());
  EXPECT_EQ(window->Files().CurrentIndex(), 0);
  EXPECT_TRUE(window->StatusText(2).startsWith("y.bmp"));
  // An empty folder stops it with the message.
  QTemporaryDir empty;
  window->SetFolder(empty.path());
  EXPECT_FALSE(window->Slideshow().Running());
  EXPECT_FALSE(window->LumivexBtn()->isChecked());
  ASSERT_FALSE(messages.isEmpty());
  EXPECT_EQ(messages.last(), "You must select a directory with files to run a Lumivex");
  EXPECT_TRUE(window->BookmarksMenu()->isEnabled());
}

TEST_F(MainWindow, TicksWaitWhileADialogIsOpen) {
  window->LumivexBtn()->setChecked(true);
  window->Slideshow().ButtonClick(true);
  QDialog dialog(window);
  QTimer::singleShot(0, [&] {
    window->Slideshow().Tick();  // inside the modal dialog: no step
    dialog.accept();
  });
  dialog.exec();
  EXPECT_EQ(window->Files().CurrentIndex(), 0);
  window->Slideshow().Tick();
  EXPECT_EQ(window->Files().CurrentIndex(), 1);
}

TEST_F(MainWindow, BookmarksFileAndMenu) {
  EXPECT_EQ(window->BookmarksMenu()->actions().size(), 3);
  window->AddBookmark();
  const QString file = dir.filePath("bm/bookmrks.dat");
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), dir.path().toUtf8() + "\r\n");
  f.close();
  ASSERT_EQ(window->BookmarksMenu()->actions().size(), 4);
  window->AddBookmark();
  EXPECT_EQ(messages.last(), window->Folder() + " is already bookmarked!");
  // Another tool's file with bare line ends; the menu follows after a rebuild.
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("/tmp\n/\n/usr");
  f.close();
  window->RebuildBookmarkMenu();
  const auto actions = window->BookmarksMenu()->actions();
  ASSERT_EQ(actions.size(), 6);
  EXPECT_EQ(actions[5]->data().toString(), "/usr");
  actions[3]->trigger();
  EXPECT_EQ(window->Folder(), "/tmp");
}

TEST_F(MainWindow, SettingsSurviveARestart) {
  QTemporaryDir other;
  SavePicture(other.filePath("q.bmp"), 8, 8, 0);
  window->SetFolder(other.path());
  window->SecondsBox()->setValue(7);
  window->SetPaneColor(QColor(1, 2, 3));
  window->close();
  EXPECT_EQ(ReadSetting("Directory", ""), other.path());
  EXPECT_EQ(ReadSetting("Seconds", ""), "7");
  EXPECT_EQ(ReadSetting("BG Color", "unset"), "unset");  // only a Set Color change is saved
  TWindows again;
  EXPECT_EQ(again.Main().Folder(), other.path());
  EXPECT_EQ(again.Main().SecondsBox()->value(), 7);
  WriteSetting("Seconds", "junk");
  WriteSetting("Left", "x1");
  EXPECT_EQ(TMainSettings::Load().Seconds, 4);
  EXPECT_EQ(TMainSettings::Load().Left, 0);
  WriteSetting("Seconds", "99");
  EXPECT_EQ(TMainSettings::Load().Seconds, 4);
}

// An AVI file's headers with the given frame size (no frames: enough for the dispatch).
void WriteAviHeader(const QString& path, int w, int h) {
  QByteArray avih(56, '\0');
  auto put = [&](int at, quint32 v) {
    for (int i = 0; i < 4; ++i) avih[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  put(32, static_cast<quint32>(w));
  put(36, static_cast<quint32>(h));
  QByteArray hdrl = "hdrl" + QByteArray("avih") + QByteArray("\x38\0\0\0", 4) + avih;
  QByteArray riff = "AVI " + QByteArray("LIST");
  const quint32 n = static_cast<quint32>(hdrl.size());
  riff += QByteArray(reinterpret_cast<const char*>(&n), 4) + hdrl;
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  const quint32 total = static_cast<quint32>(riff.size());
  f.write("RIFF" + QByteArray(reinterpret_cast<const char*>(&total), 4) + riff);
}

TEST_F(MainWindow, VideosUseTheirNaturalSizeOrShrink) {
  WriteSetting("FileTypes", "111111");
  WriteAviHeader(Path("small.avi"), 64, 48);
  WriteAviHeader(Path("BIG.AVI"), 3200, 2400);
  window->Refresh();
  window->ShowFile(Path("small.avi"));
  EXPECT_EQ(window->DisplayKind(), "AVI");
  EXPECT_EQ(window->StatusText(2), "small.avi  (64 x 48)");
  EXPECT_EQ(window->AVIPlay1()->size(), QSize(64, 48));
  EXPECT_TRUE(window->AVIPlay1()->isVisible());
  window->ShowFile(Path("BIG.AVI"));
  EXPECT_EQ(window->StatusText(2), "BIG.AVI  (3200 x 2400)");
  EXPECT_EQ(window->AVIPlay1()->size(), QSize(145, 109));
  window->ShowFile(Path("a.bmp"));
  EXPECT_FALSE(window->AVIPlay1()->isVisible());
  EXPECT_FALSE(window->AVIPlay1()->Active());
}

// An 8 x 8 two-colour icon whose every pixel is palette entry 1 (red).
void WriteIcon(const QString& path) {
  QByteArray ico("\0\0\1\0\1\0", 6);
  const char entry[16] = {8, 8, 2, 0, 1, 0, 1, 0, 112, 0, 0, 0, 22, 0, 0, 0};
  ico += QByteArray(entry, 16);
  QByteArray info(40, '\0');
  info[0] = 40;
  info[4] = 8;
  info[8] = 16;  // twice the height: colour rows, then the mask
  info[12] = 1;
  info[14] = 1;
  ico += info;
  ico += QByteArray("\0\0\0\0\0\0\xff\0", 8);  // black, red
  for (int row = 0; row < 8; ++row) ico += QByteArray("\xff\0\0\0", 4);
  ico += QByteArray(32, '\0');  // mask: all opaque
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(ico);
}

TEST_F(MainWindow, IconsAndGIFsUseTheirOwnControls) {
  WriteIcon(Path("i.ico"));
  QFile bad(Path("bad.gif"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("GIF89a broken");
  bad.close();
  QFile badIcon(Path("bad.ico"));
  ASSERT_TRUE(badIcon.open(QIODevice::WriteOnly));
  badIcon.write("\0\0\1\0\5\0junk");
  badIcon.close();
  window->Refresh();
  window->ShowFile(Path("i.ico"));
  EXPECT_EQ(window->DisplayKind(), "ICO");
  EXPECT_EQ(window->StatusText(2), "i.ico  (8 x 8)");
  EXPECT_TRUE(window->Image1()->isVisible());
  EXPECT_EQ(window->Image1()->size(), QSize(8, 8));
  EXPECT_EQ(window->Image1()->Picture().PixelColor(1, 1), RGBColor(255, 0, 0));
  window->ShowFile(Path("bad.ico"));
  EXPECT_EQ(messages.last(), "Error reading image file");
  EXPECT_FALSE(window->Image1()->isVisible());
  EXPECT_EQ(window->StatusText(2), "i.ico  (8 x 8)");  // the previous picture's text stays
  messages.clear();
  window->ShowFile(Path("bad.gif"));
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages.last(), "Error reading image file");
  EXPECT_FALSE(window->GIFImage1()->isVisible());
}

// A metafile that passes the header check but holds no picture, and a file named .avi that
// is no video, are reported like every other unreadable picture, never shown as a size.
TEST_F(MainWindow, FilesHoldingNoPictureReportAnError) {
  QFile wmf(Path("empty.wmf"));
  ASSERT_TRUE(wmf.open(QIODevice::WriteOnly));
  wmf.write(QByteArray("\x01\x00\x09\x00\x00\x03\x64\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00", 17));
  wmf.close();
  QFile avi(Path("notes.avi"));
  ASSERT_TRUE(avi.open(QIODevice::WriteOnly));
  avi.write("these are my holiday notes, not a video");
  avi.close();
  window->Refresh();
  window->ShowFile(Path("a.bmp"));
  ASSERT_TRUE(messages.isEmpty());
  auto* list = window->FileListView();
  const int row = window->Files().Find("empty.wmf");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                    list->visualRect(list->model()->index(row, 0)).center());
  ASSERT_EQ(messages, QStringList{"Error reading image file"});
  EXPECT_FALSE(window->Image1()->isVisible());
  EXPECT_EQ(window->StatusText(2), "a.bmp  (40 x 30)");
  window->ShowFile(Path("notes.avi"));
  ASSERT_EQ(messages.size(), 2);
  EXPECT_EQ(messages.last(), "Error reading image file");
  EXPECT_FALSE(window->AVIPlay1()->isVisible());
  EXPECT_FALSE(window->AVIPlay1()->Active());
  EXPECT_EQ(window->StatusText(2), "a.bmp  (40 x 30)");
  EXPECT_FALSE(window->Led()->Lit());
}

TEST_F(MainWindow, OpenRequestsDisplayTheLastFile) {
  QTemporaryDir other;
  SavePicture(other.filePath("one.bmp"), 8, 8, 0);
  SavePicture(other.filePath("two.bmp"), 9, 9, 0);
  window->HandleMacros({"[Open(\"" + other.filePath("one.bmp") + "\")]",
                        "[Open(\"" + other.filePath("two.bmp") + "\")]"});
  EXPECT_EQ(window->Folder(), other.path());
  EXPECT_EQ(window->StatusText(2), "two.bmp  (9 x 9)");
  window->OpenFromShell(other.filePath("missing.bmp"));  // ignored silently
  window->OpenFromShell("/no/such/folder/x.bmp");
  EXPECT_EQ(window->Folder(), other.path());
}

TEST_F(MainWindow, AnOpenRequestForAFolderBrowsesThatFolder) {
  QTemporaryDir parent;
  QDir(parent.path()).mkdir("pictures");
  const QString folder = parent.filePath("pictures");
  SavePicture(folder + "/inside.bmp", 8, 8, 0);
  window->HandleMacros({"[Open(\"" + folder + "\")]"});
  EXPECT_EQ(window->Folder(), folder) << "the folder's parent was opened instead";
  EXPECT_EQ(window->Files().Find("inside.bmp"), 0);
}

}  // namespace
