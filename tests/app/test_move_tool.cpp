// The move tool driven as a user drives it: selecting with its buttons, moving and copying
// into the main window's folder with the messages for files that exist or cannot move, the
// preview box, the stored source folder and the folder watch.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "controls/DisplayControls.h"
#include "controls/ToolHost.h"
#include "imaging/formats/GIFWriter.h"
#include "imaging/formats/LoadSave.h"
#include "mover/SelectFiles.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "view/GIFImage.h"
#include "view/PGImage.h"

namespace {

void SavePicture(const QString& path, int width, int height) {
  TPixelGraphic g;
  g.SetSize(width, height, pf24Bit);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) g.SetPixel(x, y, static_cast<TRGB>(x * 7 + y * 131 + width));
  SaveToFile(g, path.toStdString());
}

// A two-colour picture as a GIF file.
void SaveGif(const QString& path, int width, int height) {
  TPixelGraphic g;
  g.SetSize(width, height, pf24Bit);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) g.SetPixel(x, y, (x + y) % 2 ? 0xFFFFFFu : 0x0000FFu);
  ASSERT_TRUE(WriteGIFFile(path.toStdString(), g, false, 0, false));
}

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct MoveTool : ::testing::Test {
  QTemporaryDir source;
  QTemporaryDir target;
  QStringList messages;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;
  TfSelectFiles* tool = nullptr;

  void SetUp() override {
    SetMessageHook([this](const QString& t) { messages << t; });
    SetQuestionHook([](const QString&) { return true; });
    WriteSetting("FileTypes", "1111111111");
    WriteSetting("Directory", target.path());
    WriteSetting("SourceDir", source.path());
    WriteSetting("Confirm Deletions", "0");
    WriteSetting("Deletions", "1");
  }
  void TearDown() override {
    windows.reset();
    SetMessageHook(nullptr);
    SetQuestionHook(nullptr);
  }
  void Open() {
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    window->resize(800, 500);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->SetFolder(target.path());
    tool = &windows->Get<TfSelectFiles>();
    tool->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tool));
  }
  void Click(const QString& caption) {
    QPushButton* b = tool->Button(caption);
    ASSERT_NE(b, nullptr) << caption.toStdString();
    QTest::mouseClick(b, Qt::LeftButton);
  }
  void Select(const QString& name) {
    tool->Files().ClearSelection();
    tool->Files().MakeCurrent(tool->Files().Find(name));
  }
};

TEST_F(MoveTool, MovesAroundAFileThatExistsAndTheMainWindowShowsTheLastOne) {
  for (auto [name, w] : {std::pair{"a.bmp", 10}, {"b.bmp", 11}, {"c.bmp", 12}})
    SavePicture(source.filePath(name), w, 5);
  SavePicture(target.filePath("b.bmp"), 3, 3);
  const QByteArray a = Contents(source.filePath("a.bmp"));
  const QByteArray c = Contents(source.filePath("c.bmp"));
  const QByteArray oldB = Contents(target.filePath("b.bmp"));
  Open();
  EXPECT_EQ(tool->SourceFolder(), source.path());
  EXPECT_EQ(tool->StatusText(0), target.path());
  Select("a.bmp");
  tool->Preview();
  ASSERT_TRUE(tool->PGImage1()->isVisible());
  Click("All");
  ASSERT_EQ(tool->Files().SelectedRows().size(), 3);
  Click("Move");
  EXPECT_EQ(messages, QStringList{"file " + target.filePath("b.bmp") +
                                  " already exists. Select another directory before moving"});
  EXPECT_EQ(Contents(target.filePath("a.bmp")), a);
  EXPECT_EQ(Contents(target.filePath("c.bmp")), c);
  EXPECT_EQ(Contents(target.filePath("b.bmp")), oldB) << "an existing file was replaced";
  EXPECT_FALSE(QFileInfo::exists(source.filePath("a.bmp")));
  EXPECT_FALSE(QFileInfo::exists(source.filePath("c.bmp")));
  EXPECT_TRUE(QFileInfo::exists(source.filePath("b.bmp")));
  EXPECT_EQ(tool->Files().Names(), QStringList{"b.bmp"});
  EXPECT_FALSE(tool->Files().AnySelected());
  EXPECT_FALSE(tool->PGImage1()->isVisible()) << "the preview still shows a file moved away";
  EXPECT_EQ(tool->StatusText(1), "");
  EXPECT_EQ(window->Files().CurrentFile(), target.filePath("c.bmp"));
  EXPECT_TRUE(window->StatusText(2).startsWith("c.bmp")) << window->StatusText(2).toStdString();
}

TEST_F(MoveTool, CopyLeavesTheSourceAndEmptyFilesWaitForTheirWriter) {
  SavePicture(source.filePath("a.bmp"), 10, 5);
  QFile(source.filePath("empty.bmp")).open(QIODevice::WriteOnly);
  Open();
  Click("All");
  Click("Copy");
  EXPECT_EQ(messages, QStringList{source.filePath("empty.bmp") +
                                  " has a size of zero. This may be because it is not yet closed."});
  EXPECT_EQ(Contents(target.filePath("a.bmp")), Contents(source.filePath("a.bmp")));
  EXPECT_EQ(tool->Files().Names(), (QStringList{"a.bmp", "empty.bmp"}));
  EXPECT_FALSE(QFileInfo::exists(target.filePath("empty.bmp")));
  EXPECT_EQ(window->Files().CurrentFile(), target.filePath("a.bmp"));
}

TEST_F(MoveTool, AMoveToAnotherFileSystemRemovesTheSource) {
  QTemporaryDir memory("/dev/shm/lumivex-mover-XXXXXX");
  struct stat a {}, b {};
  if (!memory.isValid() || stat("/dev/shm", &a) != 0 || stat(target.path().toUtf8().constData(), &b) != 0 ||
      a.st_dev == b.st_dev)
    GTEST_SKIP() << "no second file system here";
  WriteSetting("SourceDir", memory.path());
  SavePicture(memory.filePath("m.bmp"), 20, 4);
  const QByteArray m = Contents(memory.filePath("m.bmp"));
  Open();
  Select("m.bmp");
  Click("Move");
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
  EXPECT_EQ(Contents(target.filePath("m.bmp")), m);
  EXPECT_FALSE(QFileInfo::exists(memory.filePath("m.bmp")));
}

TEST_F(MoveTool, AReadOnlyDestinationLeavesTheSourceIntact) {
  SavePicture(source.filePath("r.bmp"), 9, 4);
  const QByteArray r = Contents(source.filePath("r.bmp"));
  QTemporaryDir locked;
  bool mounted = false;
  if (geteuid() == 0) {
    // Permissions do not stop root: a read-only file system does.
    mounted = mount("tmpfs", locked.path().toUtf8().constData(), "tmpfs", MS_RDONLY, "size=64k") == 0;
    if (!mounted) GTEST_SKIP() << "cannot make a read-only folder here";
  } else {
    QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner);
  }
  WriteSetting("Directory", locked.path());
  Open();
  window->SetFolder(locked.path());
  tool->DestinationChanged();
  Select("r.bmp");
  Click("Move");
  EXPECT_EQ(messages, QStringList{"error moving file " + source.filePath("r.bmp")});
  EXPECT_EQ(Contents(source.filePath("r.bmp")), r);
  EXPECT_FALSE(QFileInfo::exists(locked.filePath("r.bmp")));
  windows.reset();
  if (mounted) umount2(locked.path().toUtf8().constData(), MNT_DETACH);
  QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(MoveTool, PreviewSizesAndTheLoadingNote) {
  SaveGif(source.filePath("wide.gif"), 300, 100);
  SaveGif(source.filePath("small.gif"), 100, 100);
  SavePicture(source.filePath("photo.bmp"), 400, 200);
  QFile(source.filePath("writing.bmp")).open(QIODevice::WriteOnly);
  Open();
  Select("wide.gif");
  tool->Preview();
  EXPECT_EQ(tool->PreviewKind(), "GIF");
  EXPECT_TRUE(tool->GIFImage1()->isVisible());
  EXPECT_EQ(tool->GIFImage1()->size(), QSize(145, 48));
  Select("small.gif");
  tool->Preview();
  EXPECT_EQ(tool->GIFImage1()->size(), QSize(100, 100));
  Select("photo.bmp");
  tool->Preview();
  EXPECT_FALSE(tool->GIFImage1()->isVisible());
  EXPECT_TRUE(tool->PGImage1()->isVisible());
  EXPECT_EQ(tool->StatusText(1), QString("%1K (400 x 200)").arg(QFileInfo(source.filePath("photo.bmp")).size() / 1024 + 1));
  EXPECT_FALSE(tool->Led()->Lit());
  Select("writing.bmp");
  tool->Preview();
  EXPECT_EQ(tool->StatusText(1), "Loading writing.bmp");
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
  Click("Update");
  EXPECT_EQ(tool->StatusText(1), "");
}

TEST_F(MoveTool, ShowingStartsFromTheStoredFolderAndSetPathStoresIt) {
  QTemporaryDir other;
  SavePicture(other.filePath("o.bmp"), 4, 4);
  Open();
  tool->SetSourceFolder(other.path());
  Click("Close");
  EXPECT_FALSE(tool->isVisible());
  tool->show();
  EXPECT_EQ(tool->SourceFolder(), source.path());
  tool->SetSourceFolder(other.path());
  Click("Set Path");
  EXPECT_EQ(ReadSetting("SourceDir", ""), other.path());
  EXPECT_EQ(messages, QStringList{"Saved default as " + other.path()});
  // The host ignores a request to show no file at all.
  const QString folder = window->Folder();
  windows->Host().ShowFile("");
  EXPECT_EQ(window->Folder(), folder);
}

TEST_F(MoveTool, WatchingSelectsANewFileEvenWithoutAutoPreview) {
  SavePicture(source.filePath("old.bmp"), 6, 6);
  Open();
  tool->AutoPreviewBox()->setChecked(false);
  QTest::mouseClick(tool->AutoUpdateBox(), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(tool->AutoUpdateBox()->isChecked());
  ASSERT_TRUE(tool->Watching());
  QTemporaryDir elsewhere;
  SavePicture(elsewhere.filePath("new.bmp"), 30, 20);
  ASSERT_TRUE(QFile::copy(elsewhere.filePath("new.bmp"), source.filePath("new.bmp")));
  QTRY_COMPARE_WITH_TIMEOUT(tool->Files().CurrentFile(), source.filePath("new.bmp"), 1000);
  EXPECT_TRUE(tool->StatusText(1).endsWith("(30 x 20)")) << tool->StatusText(1).toStdString();
  // Closing the main window stops the watch.
  window->close();
  EXPECT_FALSE(tool->Watching());
}

TEST_F(MoveTool, DeleteRemovesTheSelectedFilesAndClearsThePreview) {
  for (const char* n : {"d1.bmp", "d2.bmp", "keep.bmp"}) SavePicture(source.filePath(n), 5, 5);
  Open();
  Click("Delete");
  EXPECT_EQ(messages, QStringList{"You need to click on a file name first"});
  Select("d1.bmp");
  tool->Files().SetSelected(tool->Files().Find("d2.bmp"), true);
  tool->Preview();
  Click("Delete");
  EXPECT_EQ(tool->Files().Names(), QStringList{"keep.bmp"});
  EXPECT_FALSE(QFileInfo::exists(source.filePath("d1.bmp")));
  EXPECT_FALSE(tool->PGImage1()->isVisible());
  EXPECT_EQ(tool->Files().CurrentIndex(), -1);
}

}  // namespace
