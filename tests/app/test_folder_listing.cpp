// Listing folders: the names and their order, the background listing with its cancellation,
// and the main window browsing a long folder without waiting for it.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "controls/FileList.h"
#include "controls/FolderListing.h"
#include "platform/Messages.h"
#include "platform/Settings.h"

namespace {

void Touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

QTemporaryDir& LongFolder() {
  static QTemporaryDir dir;
  static const bool made = [] {
    for (int i = 0; i < 3000; ++i) Touch(dir.filePath(QStringLiteral("n%1.bmp").arg(i, 4, 10, QChar('0'))));
    return true;
  }();
  (void)made;
  return dir;
}

TEST(FolderListing, NamesMatchTheMaskInNameOrderIgnoringCase) {
  QTemporaryDir dir;
  for (const char* name : {"b.JPG", "B.jpg", "a.jpg", "c.gif", "ab.bmp", "abc.bmp", "notes.txt", ".hidden.jpg"})
    Touch(dir.filePath(name));
  QDir(dir.path()).mkdir("folder.jpg");
  const TNameMask mask = TNameMask::Parse("*.jpg; a?.bmp");
  EXPECT_TRUE(mask.Matches("X.JpG"));
  EXPECT_FALSE(mask.Matches("x.jpgx"));
  EXPECT_TRUE(mask.Matches("ab.BMP"));
  EXPECT_FALSE(mask.Matches("abc.bmp"));
  EXPECT_EQ(ListFolderNames(dir.path(), mask),
            QStringList({".hidden.jpg", "a.jpg", "ab.bmp", "B.jpg", "b.JPG"}));
  EXPECT_TRUE(ListFolderNames(dir.path(), TNameMask::Parse("")).isEmpty());
  EXPECT_TRUE(ListFolderNames(dir.filePath("missing"), mask).isEmpty());
  std::atomic<bool> stop{true};
  EXPECT_TRUE(ListFolderNames(LongFolder().path(), TNameMask::Parse("*.bmp"), &stop).isEmpty());
  // The model lists the same way.
  TFileListModel model;
  model.SetMask("*.jpg;a?.bmp");
  model.SetFolder(dir.path());
  EXPECT_EQ(model.Names(), ListFolderNames(dir.path(), mask));
}

TEST(FolderListing, BackgroundListingArrivesOnceAndCancelsCleanly) {
  const TNameMask mask = TNameMask::Parse("*.bmp");
  TFolderLister lister;
  QStringList got;
  int calls = 0;
  lister.Start(LongFolder().path(), mask, [&](const QString& folder, const QStringList& names) {
    EXPECT_EQ(folder, LongFolder().path());
    got = names;
    ++calls;
  });
  EXPECT_TRUE(lister.Busy());
  ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 10000));
  EXPECT_EQ(got.size(), 3000);
  EXPECT_EQ(got, ListFolderNames(LongFolder().path(), mask));
  EXPECT_FALSE(lister.Busy());

  // Cancelled: the result never arrives. Restarted: only the newer one arrives.
  calls = 0;
  lister.Start(LongFolder().path(), mask, [&](const QString&, const QStringList&) { ++calls; });
  lister.Cancel();
  EXPECT_FALSE(lister.Busy());
  QTest::qWait(100);
  EXPECT_EQ(calls, 0);
  QTemporaryDir small;
  Touch(small.filePath("one.bmp"));
  QString last;
  lister.Start(LongFolder().path(), mask, [&](const QString& f, const QStringList&) { last = f; ++calls; });
  lister.Start(small.path(), mask, [&](const QString& f, const QStringList&) { last = f; ++calls; });
  ASSERT_TRUE(QTest::qWaitFor([&] { return !lister.Busy(); }, 10000));
  QTest::qWait(50);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(last, small.path());
}

struct Browsing : ::testing::Test {
  QTemporaryDir start;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;
  void SetUp() override {
    SetMessageHook([](const QString&) {});
    WriteSetting("FileTypes", "111111");
    WriteSetting("Directory", start.path());
    LongFolder();
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    window->show();
  }
  void TearDown() override { SetMessageHook(nullptr); }
};

TEST_F(Browsing, ALongFolderIsListedWithoutHoldingUpTheWindow) {
  window->BrowseFolder(LongFolder().path());
  // Back at once: the list fills when the names are in.
  EXPECT_EQ(window->Folder(), LongFolder().path());
  EXPECT_EQ(window->StatusText(0), "Reading...");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window->ListingFolder(); }, 10000));
  QTest::qWait(20);
  EXPECT_EQ(window->Files().Count(), 3000);
  EXPECT_EQ(window->StatusText(0), "3000 files");
  // The count panel is wide enough for its text.
  QLabel* count = nullptr;
  for (QLabel* label : window->findChildren<QLabel*>())
    if (label->text() == "3000 files") count = label;
  ASSERT_NE(count, nullptr);
  EXPECT_GE(count->width(), count->fontMetrics().horizontalAdvance("3000 files"));
  EXPECT_EQ(window->Files().Position(), 0);
}

TEST_F(Browsing, AFolderSetMeanwhileWins) {
  QTemporaryDir small;
  Touch(small.filePath("x.bmp"));
  window->BrowseFolder(LongFolder().path());
  window->SetFolder(small.path());
  EXPECT_FALSE(window->ListingFolder());
  EXPECT_EQ(window->Files().Count(), 1);
  // The cancelled listing never replaces the list.
  QTest::qWait(200);
  EXPECT_NE(window->Folder(), LongFolder().path());
  EXPECT_NE(window->Files().Count(), 3000);
}

}  // namespace
