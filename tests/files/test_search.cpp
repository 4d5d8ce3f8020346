// The file search: absolute paths, hidden entries, link loops, stopping and a full list.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "files/FileSearch.h"
#include "tests/files/FileTestUtil.h"

using namespace filetest;

namespace {

class TCollect : public TSearchSink {
 public:
  void Entering(const std::string& folder) override { Folders.push_back(folder); }
  void Found(const std::string& path) override {
    Paths.push_back(path);
    if (StopAfter && Paths.size() >= StopAfter) Stop->store(true);
  }
  std::vector<std::string> Paths, Folders;
  std::size_t StopAfter = 0;
  std::atomic<bool>* Stop = nullptr;
};

// root/a.jpg, root/B.JPG, root/c.png, root/.hidden.jpg, root/.dots/x.jpg,
// root/sub/d.jpg, root/sub/deep/e.jpg, root/sub/loop -> root, root/link.jpg -> sub/d.jpg,
// root/again -> sub (the same folder by another way), root/broken -> nowhere.
class SearchTest : public ::testing::Test {
 protected:
  SearchTest() : FDir(DiskBase()) {
    const fs::path r = FDir.Path();
    fs::create_directories(r / "sub/deep");
    fs::create_directories(r / ".dots");
    for (const char* f : {"a.jpg", "B.JPG", "c.png", ".hidden.jpg", ".dots/x.jpg", "sub/d.jpg",
                          "sub/deep/e.jpg"})
      WriteFile(r / f, "x");
    fs::create_directory_symlink(r, r / "sub/loop");
    fs::create_symlink(r / "sub/d.jpg", r / "link.jpg");
    fs::create_directory_symlink(r / "sub", r / "again");
    fs::create_symlink(r / "nowhere", r / "broken.jpg");
  }
  std::string R(const std::string& rel) const { return (FDir.Path() / rel).string(); }
  TScratch FDir;
};

TEST_F(SearchTest, FindsEveryMatchOnceEvenThroughLinkLoops) {
  TCollect sink;
  std::atomic<bool> stop{false};
  const TSearchResult r = SearchFiles({"*.jpg", {FDir.Path().string()}}, stop, sink);
  EXPECT_EQ(r.End, TSearchEnd::Finished);
  const std::vector<std::string> expected = {R("B.JPG"), R("a.jpg"), R("link.jpg"),
                                             R("sub/d.jpg"), R("sub/deep/e.jpg")};
  std::vector<std::string> found = sink.Paths;
  // The folder reached through "again" may be listed under either of its two names.
  for (std::string& p : found)
    if (p.find("/again/") != std::string::npos) p.replace(p.find("/again/"), 7, "/sub/");
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, expected);
  EXPECT_EQ(r.Count, 5u);
  EXPECT_EQ(SearchCountText(r.Count), "5 files found - Double click filename to view.");
  EXPECT_EQ(sink.Folders.front(), FDir.Path().string() + "/");
}

TEST_F(SearchTest, RelativeStartFoldersGiveAbsolutePaths) {
  const fs::path saved = fs::current_path();
  fs::current_path(FDir.Path() / "sub");
  TCollect sink;
  std::atomic<bool> stop{false};
  SearchFiles({"e.*", {"deep"}}, stop, sink);
  fs::current_path(saved);
  ASSERT_EQ(sink.Paths.size(), 1u);
  EXPECT_EQ(sink.Paths[0], R("sub/deep/e.jpg"));
}

TEST_F(SearchTest, StopsWhenAskedAndKeepsWhatItFound) {
  TCollect sink;
  std::atomic<bool> stop{false};
  sink.Stop = &stop;
  sink.StopAfter = 2;
  const TSearchResult r = SearchFiles({"*", {FDir.Path().string()}}, stop, sink);
  EXPECT_EQ(r.End, TSearchEnd::Stopped);
  EXPECT_EQ(r.Count, sink.Paths.size());
  EXPECT_GE(r.Count, 2u);
  EXPECT_LT(r.Count, 6u);
  // A search asked to stop before it begins reads nothing.
  TCollect none;
  EXPECT_EQ(SearchFiles({"*", {FDir.Path().string()}}, stop, none).End, TSearchEnd::Stopped);
  EXPECT_TRUE(none.Paths.empty());
}

TEST_F(SearchTest, AFullListEndsTheSearch) {
  TCollect sink;
  std::atomic<bool> stop{false};
  TSearchRequest request{"*.jpg", {FDir.Path().string()}, 3};
  const TSearchResult r = SearchFiles(request, stop, sink);
  EXPECT_EQ(r.End, TSearchEnd::Full);
  EXPECT_EQ(r.Count, 3u);
  request.Capacity = 5;  // exactly as many as there are: no overflow
  TCollect all;
  EXPECT_EQ(SearchFiles(request, stop, all).End, TSearchEnd::Finished);
}

TEST_F(SearchTest, SeveralRootsMissingRootsAndOtherVolumes) {
  TCollect sink;
  std::atomic<bool> stop{false};
  const TSearchResult r = SearchFiles(
      {"*.png;e.jpg", {R("missing"), R("sub/deep"), FDir.Path().string(), R("a.jpg")}}, stop, sink);
  EXPECT_EQ(r.End, TSearchEnd::Finished);
  // "sub/deep" first, then the root (whose "sub/deep" was searched already).
  EXPECT_EQ(sink.Paths, (std::vector<std::string>{R("sub/deep/e.jpg"), R("c.png")}));

  // A volume mounted inside the tree is searched from its own root only.
  TSmallVolume volume(64);
  if (!volume.Mounted()) return;
  WriteFile(volume.Path() / "inside.png", "x");
  fs::create_directory_symlink(volume.Path(), FDir.Path() / "mounted");
  TCollect outer;
  SearchFiles({"inside.png", {FDir.Path().string()}}, stop, outer);
  EXPECT_TRUE(outer.Paths.empty());
  TCollect inner;
  SearchFiles({"inside.png", {volume.Path().string()}}, stop, inner);
  EXPECT_EQ(inner.Paths.size(), 1u);
}

}  // namespace
