// Renaming, deleting, folders and attributes: refusals leave every file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "files/FileAttributes.h"
#include "files/FileOps.h"
#include "files/FilePaths.h"
#include "tests/files/FileTestUtil.h"

using namespace filetest;

namespace {

TEST(RenameEntry, RenamesAndNeverReplaces) {
  TScratch dir(DiskBase());
  WriteFile(dir / "a.jpg", "A");
  WriteFile(dir / "b.jpg", "B");
  std::string reason;
  EXPECT_FALSE(RenameEntry(dir.Path().string(), "a.jpg", "b.jpg", &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(Slurp(dir / "a.jpg"), "A");
  EXPECT_EQ(Slurp(dir / "b.jpg"), "B");
  EXPECT_TRUE(RenameEntry(dir.Path().string(), "a.jpg", "c.jpg"));
  EXPECT_FALSE(fs::exists(dir / "a.jpg"));
  EXPECT_EQ(Slurp(dir / "c.jpg"), "A");
  // Case matters on Linux: a name differing in case only is another name.
  EXPECT_TRUE(RenameEntry(dir.Path().string(), "c.jpg", "C.JPG"));
  EXPECT_EQ(Slurp(dir / "C.JPG"), "A");
  // The same name again changes nothing and is no failure.
  EXPECT_TRUE(RenameEntry(dir.Path().string(), "C.JPG", "C.JPG"));
  EXPECT_EQ(Slurp(dir / "C.JPG"), "A");
  EXPECT_FALSE(RenameEntry(dir.Path().string(), "missing.jpg", "d.jpg"));
}

TEST(RenameEntry, RefusesNamesThatAreNotNames) {
  TScratch dir(DiskBase());
  WriteFile(dir / "a.jpg", "A");
  fs::create_directory(dir.Path() / "sub");
  for (const std::string& bad : std::vector<std::string>{"", ".", "..", "sub/a.jpg", "../a.jpg",
                                                          std::string("x\0y", 3)})
    EXPECT_FALSE(RenameEntry(dir.Path().string(), "a.jpg", bad)) << bad;
  EXPECT_EQ(Slurp(dir / "a.jpg"), "A");
  EXPECT_TRUE(fs::is_empty(dir.Path() / "sub"));
  EXPECT_FALSE(IsValidEntryName(""));
  EXPECT_TRUE(IsValidEntryName("holiday 2024 (1).jpg"));
}

TEST(Folders, AddAndRemoveOnlyEmptyFolders) {
  TScratch dir(DiskBase());
  const std::string made = AddFolder(dir.Path().string(), "New");
  EXPECT_EQ(made, dir / "New");
  EXPECT_TRUE(fs::is_directory(made));
  std::string reason;
  EXPECT_EQ(AddFolder(dir.Path().string(), "New", &reason), "");
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(AddFolder(dir.Path().string(), "a/b"), "");
  EXPECT_EQ(AddFolder(dir.Path().string(), ""), "");
  WriteFile(made + "/keep.jpg", "K");
  EXPECT_FALSE(RemoveEmptyFolder(made, &reason));
  EXPECT_EQ(Slurp(made + "/keep.jpg"), "K");
  fs::remove(made + "/keep.jpg");
  EXPECT_TRUE(RemoveEmptyFolder(made));
  EXPECT_FALSE(fs::exists(made));
}

TEST(DeleteFilePermanently, RemovesFilesOnly) {
  TScratch dir(DiskBase());
  WriteFile(dir / "a.jpg", "A");
  fs::create_directory(dir.Path() / "sub");
  EXPECT_TRUE(DeleteFilePermanently(dir / "a.jpg"));
  EXPECT_FALSE(fs::exists(dir / "a.jpg"));
  std::string reason;
  EXPECT_FALSE(DeleteFilePermanently(dir / "a.jpg", &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(DeleteFilePermanently(dir / "sub"));
  EXPECT_TRUE(fs::is_directory(dir.Path() / "sub"));
}

TEST(FileAttributes, ReadOnlyIsTheOwnersWritePermissionAndHiddenALeadingDot) {
  TScratch dir(DiskBase());
  WriteFile(dir / "a.jpg", "A");
  WriteFile(dir / ".b.jpg", "B");
  chmod((dir / "a.jpg").c_str(), 0644);
  TFileAttributeInfo info;
  ASSERT_TRUE(ReadFileAttributes(dir / "a.jpg", info));
  EXPECT_EQ(info.Attributes, TFileAttributes{});
  EXPECT_GT(info.LastChange, 0);
  ASSERT_TRUE(ReadFileAttributes(dir / ".b.jpg", info));
  EXPECT_TRUE(info.Attributes.Hidden);
  EXPECT_FALSE(ReadFileAttributes(dir / "missing", info));

  TFileAttributes wanted;
  wanted.ReadOnly = true;
  EXPECT_EQ(WriteFileAttributes(dir / "a.jpg", {}, wanted), TAttributeWrite::Written);
  struct stat st {};
  stat((dir / "a.jpg").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0444u);  // only the owner's write bit went
  ASSERT_TRUE(ReadFileAttributes(dir / "a.jpg", info));
  EXPECT_TRUE(info.Attributes.ReadOnly);
  EXPECT_EQ(WriteFileAttributes(dir / "a.jpg", wanted, TFileAttributes{}), TAttributeWrite::Written);
  stat((dir / "a.jpg").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(FileAttributes, UnchangedAttributesWriteNothing) {
  TScratch dir(DiskBase());
  WriteFile(dir / "a.jpg", "A");
  chmod((dir / "a.jpg").c_str(), 0600);
  struct stat before {};
  stat((dir / "a.jpg").c_str(), &before);
  TFileAttributeInfo info;
  ASSERT_TRUE(ReadFileAttributes(dir / "a.jpg", info));
  // The boxes without meaning here change nothing either.
  TFileAttributes wanted = info.Attributes;
  wanted.Archive = wanted.System = wanted.Hidden = true;
  EXPECT_EQ(WriteFileAttributes(dir / "a.jpg", info.Attributes, wanted), TAttributeWrite::Unchanged);
  struct stat after {};
  stat((dir / "a.jpg").c_str(), &after);
  EXPECT_EQ(after.st_ctim.tv_sec, before.st_ctim.tv_sec);
  EXPECT_EQ(after.st_ctim.tv_nsec, before.st_ctim.tv_nsec);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(WriteFileAttributes(dir / "gone", {}, TFileAttributes{true}), TAttributeWrite::Failed);
}

TEST(FilePaths, JoinNameFolderAndSize) {
  EXPECT_EQ(JoinPath("/home/u", "a.jpg"), "/home/u/a.jpg");
  EXPECT_EQ(JoinPath("/", "a.jpg"), "/a.jpg");
  EXPECT_EQ(JoinPath("/home/u/", "a.jpg"), "/home/u/a.jpg");
  EXPECT_EQ(FileNameOf("/a/b.jpg"), "b.jpg");
  EXPECT_EQ(FolderOf("/a/b.jpg"), "/a");
  EXPECT_EQ(FolderOf("/b.jpg"), "/");
  EXPECT_EQ(AbsolutePath("/a//./b/"), "/a/b");
  TScratch dir(DiskBase());
  WriteFile(dir / "s", Pattern(1023));
  EXPECT_EQ(FileSizeOf(dir / "s"), 1023);
  EXPECT_EQ(FileSizeOf(dir.Path().string()), 0);
  EXPECT_EQ(FileSizeOf(dir / "none"), -1);
}

}  // namespace
