// A long folder listed in batches: the lister hands over consecutive runs in list order, one
// per turn of the event loop; the main window appends them, makes the wanted entry current and
// shows it when it arrives, and drops a listing overtaken by another folder.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "controls/FileList.h"
#include "controls/FolderListing.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "view/PGImage.h"

namespace {

// `count` names in a scrambled creation order, mixed case, with a few that the mask leaves out.
void FillFolder(const QString& folder, int count, const QString& stem) {
  for (int i = 0; i < count; ++i) {
    const int n = (i * 7919) % count;
    const QString name = QStringLiteral("%1%2.%3").arg(n % 3 ? stem : stem.toUpper()).arg(n, 5, 10, QChar('0'))
                             .arg(n % 5 ? "bmp" : "BMP");
    QFile f(folder + "/" + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  QFile note(folder + "/notes.txt");
  ASSERT_TRUE(note.open(QIODevice::WriteOnly));
}

void SavePicture(const QString& path) {
  TPixelGraphic g;
  g.SetSize(30, 20, pf24Bit);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) g.SetPixel(x, y, RGBColor(200, 10, 10));
  SaveToFile(g, path.toStdString());
}

TEST(IncrementalListing, BatchesFollowEachOtherInListOrderOnePerTurn) {
  QTemporaryDir dir;
  FillFolder(dir.path(), 2600, "p");
  const TNameMask mask = TNameMask::Parse("*.bmp");
  TFolderLister lister;
  lister.SyncLimit = 100;
  lister.BatchSize = 500;
  QStringList got;
  QList<int> sizes;
  int done = 0;
  lister.List(dir.path(), mask, [&](const QStringList& names) {
    got += names;
    sizes << static_cast<int>(names.size());
  }, [&] { ++done; });
  // Nothing on the spot: the folder is longer than the limit.
  EXPECT_TRUE(got.isEmpty());
  EXPECT_TRUE(lister.Busy());
  ASSERT_TRUE(QTest::qWaitFor([&] { return done > 0; }, 10000));
  EXPECT_EQ(done, 1);
  EXPECT_FALSE(lister.Busy());
  EXPECT_EQ(got, ListFolderNames(dir.path(), mask));
  EXPECT_EQ(got.size(), 2600);
  EXPECT_EQ(sizes, QList<int>({500, 500, 500, 500, 500, 100}));

  // A short folder is listed before List returns, batch first.
  QTemporaryDir small;
  FillFolder(small.path(), 20, "s");
  QStringList order;
  lister.List(small.path(), mask, [&](const QStringList& names) { order << QString::number(names.size()); },
              [&] { order << "done"; });
  EXPECT_EQ(order, QStringList({"20", "done"}));
  EXPECT_FALSE(lister.Busy());

  // An empty result still ends with done; a cancelled listing says nothing more.
  int calls = 0;
  lister.List(dir.path(), TNameMask::Parse("*.gif"), [&](const QStringList&) { ++calls; }, [&] { calls += 10; });
  ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 10000));
  EXPECT_EQ(calls, 10);
  calls = 0;
  lister.List(dir.path(), mask, [&](const QStringList&) { ++calls; }, [&] { ++calls; });
  lister.Cancel();
  QTest::qWait(200);
  EXPECT_EQ(calls, 0);
}

struct LongFolders : ::testing::Test {
  QTemporaryDir start, first, second;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;
  int batches = 0;

  void SetUp() override {
    SetMessageHook([](const QString&) {});
    WriteSetting("FileTypes", "111111");
    WriteSetting("Directory", start.path());
    WriteSetting("Deletions", "1");  // permanently, without asking
    WriteSetting("Confirm Deletions", "0");
    FillFolder(first.path(), 2600, "a");
    FillFolder(second.path(), 1500, "b");
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    window->Lister().BatchSize = 400;
    window->resize(800, 500);
    window->show();
    QObject::connect(&window->Files(), &QAbstractItemModel::rowsInserted, [this] { ++batches; });
  }
  void TearDown() override { SetMessageHook(nullptr); }
  bool Listed() { return QTest::qWaitFor([&] { return !window->ListingFolder(); }, 10000); }
  QString Name(int row) const { return window->Files().Names().value(row); }
};

TEST_F(LongFolders, TheFileOpenedArrivesCurrentAndShown) {
  // The picture sorts near the end, so it comes in one of the last batches.
  const QString picture = first.filePath("a02591.bmp");
  QFile::remove(picture);
  SavePicture(picture);
  window->OpenFromShell(picture);
  // Back before the names are in.
  EXPECT_TRUE(window->ListingFolder());
  EXPECT_EQ(window->Folder(), first.path());
  EXPECT_LT(window->Files().Count(), 2600);
  EXPECT_EQ(window->StatusText(0), "Reading...");
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->Files().CurrentFile() == picture; }, 10000));
  EXPECT_EQ(window->PGImage1()->FileName(), picture);
  EXPECT_EQ(window->StatusText(2), "a02591.bmp  (30 x 20)");
  ASSERT_TRUE(Listed());
  EXPECT_EQ(window->Files().Names(), ListFolderNames(first.path(), TNameMask::Parse("*.bmp")));
  EXPECT_EQ(window->Files().Count(), 2600);
  EXPECT_EQ(window->StatusText(0), "2600 files");
  EXPECT_GE(batches, 7);  // 2600 names in runs of 400
  // Still current and the only one selected once the rest arrived.
  EXPECT_EQ(window->Files().CurrentFile(), picture);
  EXPECT_EQ(window->Files().SelectedRows().size(), 1);
}

TEST_F(LongFolders, AnotherFolderCancelsTheListingUnderWay) {
  window->SetFolder(first.path());
  EXPECT_TRUE(window->ListingFolder());
  window->SetFolder(second.path());
  ASSERT_TRUE(Listed());
  QTest::qWait(200);  // anything of the first listing still on its way would land now
  EXPECT_EQ(window->Folder(), second.path());
  EXPECT_EQ(window->Files().Count(), 1500);
  EXPECT_EQ(window->Files().Names(), ListFolderNames(second.path(), TNameMask::Parse("*.bmp")));
  EXPECT_EQ(window->Files().Position(), 0);
}

TEST_F(LongFolders, RefreshAndDeleteKeepTheirPlaceInALongFolder) {
  window->SetFolder(first.path());
  ASSERT_TRUE(Listed());
  window->Files().MakeCurrent(1234);
  const QString kept = Name(1234);
  QFile f(first.filePath("a00000.aaa.bmp"));  // a new file sorts in ahead of it
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  window->Refresh();
  ASSERT_TRUE(Listed());
  EXPECT_EQ(window->Files().Count(), 2601);
  EXPECT_EQ(Name(window->Files().CurrentIndex()), kept);
  EXPECT_EQ(window->Files().CurrentIndex(), 1235);

  // Deleted: the entry after it becomes current once the list is in again.
  window->Files().ClearSelection();
  window->Files().MakeCurrent(2000);
  const QString after = Name(2001);
  window->DeleteFiles();
  ASSERT_TRUE(Listed());
  EXPECT_EQ(window->Files().Count(), 2600);
  EXPECT_EQ(window->Files().CurrentFile(), first.filePath(after));
}

}  // namespace
