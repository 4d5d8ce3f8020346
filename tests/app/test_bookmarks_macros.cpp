// The bookmarks file and the open macros with their queue and channel.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "app/Bookmarks.h"
#include "app/MacroChannel.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(BookmarkFile, ReadsEveryLineEndingAndWritesCrLf) {
  EXPECT_EQ(SplitBookmarkLines("/a\r\n/b\r/c\n/d"), (QStringList{"/a", "/b", "/c", "/d"}));
  EXPECT_EQ(SplitBookmarkLines("/a\n\n/b\r\n"), (QStringList{"/a", "/b"}));  // no empty entries
  EXPECT_EQ(SplitBookmarkLines(""), QStringList());
  EXPECT_EQ(SplitBookmarkLines("/caf\xc3\xa9\n"), QStringList{QString::fromUtf8("/caf\xc3\xa9")});

  QTemporaryDir dir;
  const QString path = dir.filePath("sub/bookmrks.dat");
  EXPECT_EQ(ReadBookmarks(path), QStringList());  // missing: empty
  WriteBookmarks(path, {"/photos", "/home/me"});
  EXPECT_EQ(ReadAll(path), QByteArray("/photos\r\n/home/me\r\n"));
  EXPECT_EQ(ReadBookmarks(path), (QStringList{"/photos", "/home/me"}));
  EXPECT_THROW(WriteBookmarks(path, {"/ok", "/two\nlines"}), EBookmarkFile);
  EXPECT_THROW(WriteBookmarks(path, {"/cr\r"}), EBookmarkFile);
  EXPECT_EQ(ReadAll(path), QByteArray("/photos\r\n/home/me\r\n"));  // nothing written
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
  EXPECT_EQ(SplitMacros(QStringLiteral("[Open(\"/a.jpg\")][Open(\"/b.jpg\")]")),
            (QStringList{"[Open(\"/a.jpg\")]", "[Open(\"/b.jpg\")]"}));
  // Only the parts cut off at "][" are trimmed; the rest is queued as it is.
  EXPECT_EQ(SplitMacros(QStringLiteral(" [a] [b]")), (QStringList{" [a] [b]"}));
  EXPECT_EQ(SplitMacros(QStringLiteral(" [a][b] ")), (QStringList{"[a]", "[b] "}));
  EXPECT_EQ(MacroPath(QStringLiteral("[Open(\"/p/a b.jpg\")]")), "/p/a b.jpg");
  EXPECT_EQ(MacroPath(QStringLiteral("[Close()]")), "[Close()]");
  EXPECT_EQ(LastMacroTarget(QStringList{"[Open(\"/a.jpg\")]", "[Open(\"/b.jpg\")]"}), "/b.jpg");
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

// Each channel test listens in a runtime folder of its own (tests may run side by side).
struct PrivateRuntime {
  QTemporaryDir dir;
  QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  PrivateRuntime() { qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8()); }
  ~PrivateRuntime() { qputenv("XDG_RUNTIME_DIR", saved); }
};

TEST(Macros, ASecondStartDeliversItsPath) {
  PrivateRuntime runtime;
  TMacroQueue queue;
  QStringList received;
  queue.RegisterHandler([&](const QStringList& m) { received << m; });
  TOpenChannel channel(queue);
  ASSERT_EQ(channel.Listen(), TOpenChannel::TListen::Listening);
  ASSERT_TRUE(TOpenChannel::SendToRunning("[Open(\"/pics/x.jpg\")]"));
  for (int i = 0; i < 100 && received.isEmpty(); ++i) QTest::qWait(10);
  ASSERT_EQ(received, QStringList{"[Open(\"/pics/x.jpg\")]"});
}

// A start without a path while an instance runs must not take the channel over: the running
// instance keeps receiving paths, and it is asked to come to the front instead.
TEST(Macros, ALiveInstanceKeepsTheChannel) {
  PrivateRuntime runtime;
  TMacroQueue first;
  QStringList received;
  first.RegisterHandler([&](const QStringList& m) { received << m; });
  TOpenChannel running(first);
  int activations = 0;
  running.OnActivate = [&] { ++activations; };
  ASSERT_EQ(running.Listen(), TOpenChannel::TListen::Listening);

  TMacroQueue second;
  TOpenChannel later(second);
  EXPECT_EQ(later.Listen(), TOpenChannel::TListen::AnotherInstance);
  ASSERT_TRUE(TOpenChannel::ActivateRunning());
  for (int i = 0; i < 100 && activations == 0; ++i) QTest::qWait(10);
  EXPECT_EQ(activations, 1);
  EXPECT_TRUE(received.isEmpty());  // the request to come forward is no macro
  ASSERT_TRUE(TOpenChannel::SendToRunning("[Open(\"/pics/y.jpg\")]"));
  for (int i = 0; i < 100 && received.isEmpty(); ++i) QTest::qWait(10);
  EXPECT_EQ(received, QStringList{"[Open(\"/pics/y.jpg\")]"});
  EXPECT_TRUE(second.Pending().isEmpty());
}

// A socket left by an instance that crashed answers nobody: it is cleared and taken over.
TEST(Macros, AStaleSocketIsReplaced) {
  PrivateRuntime runtime;
  const QByteArray path = TOpenChannel::ServerName().toUtf8();
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(fd);  // the file stays, nobody listens
  ASSERT_TRUE(QFileInfo::exists(QString::fromUtf8(path)));
  EXPECT_FALSE(TOpenChannel::SendToRunning("[Open(\"/x.jpg\")]", 200));

  TMacroQueue queue;
  QStringList received;
  queue.RegisterHandler([&](const QStringList& m) { received << m; });
  TOpenChannel channel(queue);
  ASSERT_EQ(channel.Listen(), TOpenChannel::TListen::Listening);
  ASSERT_TRUE(TOpenChannel::SendToRunning("[Open(\"/pics/z.jpg\")]"));
  for (int i = 0; i < 100 && received.isEmpty(); ++i) QTest::qWait(10);
  EXPECT_EQ(received, QStringList{"[Open(\"/pics/z.jpg\")]"});
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
