// The bookmarks file and the open macros with their queue and channel.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/Bookmarks.h"
#include "app/MacroChannel.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(BookmarkFile, ReadsEveryLineEndingAndWritesCrLf) {
  EXPECT_EQ(SplitBookmarkLines("/a\r\n/b\r/c\n/d"), (QStringList{"/a", "/b", "/c", "/d"}));
  EXPECT_EQ(SplitBookmarkLines("/a\n\n/b\r\n"), (QStringList{"/a", "", "/b"}));
  EXPECT_EQ(SplitBookmarkLines(""), QStringList());
  EXPECT_EQ(SplitBookmarkLines("/caf\xc3\xa9\n"), QStringList{QString::fromUtf8("/caf\xc3\xa9")});

  QTemporaryDir dir;
  const QString path = dir.filePath("sub/bookmrks.dat");
  EXPECT_EQ(ReadBookmarks(path), QStringList());  // missing: empty
  WriteBookmarks(path, {"/photos", "/home/me"});
  EXPECT_EQ(ReadAll(path), QByteArray("/photos\r\n/home/me\r\n"));
  EXPECT_EQ(ReadBookmarks(path), (QStringList{"/photos", "/home/me"}));
  WriteBookmarks(path, {});
  EXPECT_EQ(ReadAll(path), QByteArray());
}

TEST(BookmarkFile, OtherFailuresAreReportedAndNothingIsOverwritten) {
  QTemporaryDir dir;
  const QString folderInTheWay = dir.filePath("bookmrks.dat");
  QDir().mkpath(folderInTheWay);
  EXPECT_THROW(ReadBookmarks(folderInTheWay), EBookmarkFile);
  EXPECT_THROW(WriteBookmarks(folderInTheWay, {"/x"}), EBookmarkFile);
  EXPECT_TRUE(QFileInfo(folderInTheWay).isDir());
}

TEST(Macros, SplittingAndPaths) {
  EXPECT_EQ(SplitMacros("[Open(\"/a.jpg\")][Open(\"/b.jpg\")]"),
            (QStringList{"[Open(\"/a.jpg\")]", "[Open(\"/b.jpg\")]"}));
  // Only the parts cut off at "][" are trimmed; the rest is queued as it is.
  EXPECT_EQ(SplitMacros(" [a] [b]"), (QStringList{" [a] [b]"}));
  EXPECT_EQ(SplitMacros(" [a][b] "), (QStringList{"[a]", "[b] "}));
  EXPECT_EQ(MacroPath("[Open(\"/p/a b.jpg\")]"), "/p/a b.jpg");
  EXPECT_EQ(MacroPath("[Close()]"), "[Close()]");
  EXPECT_EQ(LastMacroTarget({"[Open(\"/a.jpg\")]", "[Open(\"/b.jpg\")]"}), "/b.jpg");
}

TEST(Macros, QueueWaitsForTheHandler) {
  TMacroQueue queue;
  queue.Receive("[Open(\"/a.jpg\")][Open(\"/b.jpg\")]");
  EXPECT_EQ(queue.Pending().size(), 2);
  std::vector<QStringList> delivered;
  queue.RegisterHandler([&](const QStringList& m) { delivered.push_back(m); });
  ASSERT_EQ(delivered.size(), 1u);
  EXPECT_EQ(delivered[0].size(), 2);
  EXPECT_TRUE(queue.Pending().isEmpty());
  queue.ReceiveDirect({"[Open(\"/a.jpg\")][Open(\"/b.jpg\")]"});  // not split
  ASSERT_EQ(delivered.size(), 2u);
  EXPECT_EQ(delivered[1].size(), 1);
  EXPECT_EQ(LastMacroTarget(delivered[1]), "/a.jpg");
}

TEST(Macros, ASecondStartDeliversItsPath) {
  TMacroQueue queue;
  QStringList received;
  queue.RegisterHandler([&](const QStringList& m) { received << m; });
  TOpenChannel channel(queue);
  ASSERT_EQ(channel.Listen(), TOpenChannel::TListen::Listening);
  ASSERT_TRUE(TOpenChannel::SendToRunning("[Open(\"/pics/x.jpg\")]"));
  for (int i = 0; i < 100 && received.isEmpty(); ++i) QTest::qWait(10);
  ASSERT_EQ(received, QStringList{"[Open(\"/pics/x.jpg\")]"});
}

}  // namespace

#include "app/BookmarkEditor.h"
#include <QListWidget>

namespace {

TEST(BookmarkEditor, MovesAndDeletesOnlyAValidSelection) {
  TfBMEdit editor;
  editor.SetEntries({"/a", "/b", "/c"});
  EXPECT_EQ(editor.List()->currentRow(), 0);
  editor.Up();  // the first entry cannot move up
  EXPECT_EQ(editor.Entries(), (QStringList{"/a", "/b", "/c"}));
  editor.Down();
  EXPECT_EQ(editor.Entries(), (QStringList{"/b", "/a", "/c"}));
  EXPECT_EQ(editor.List()->currentRow(), 1);
  editor.List()->setCurrentRow(2);
  editor.Down();  // nor the last one down
  EXPECT_EQ(editor.Entries(), (QStringList{"/b", "/a", "/c"}));
  editor.Delete();
  EXPECT_EQ(editor.Entries(), (QStringList{"/b", "/a"}));
  EXPECT_EQ(editor.List()->currentRow(), 0);
  editor.List()->setCurrentRow(-1);
  editor.Delete();  // nothing selected: nothing deleted
  editor.Up();
  EXPECT_EQ(editor.Entries().size(), 2);
  editor.SetEntries({});
  editor.Delete();
  EXPECT_TRUE(editor.Entries().isEmpty());
}

}  // namespace
