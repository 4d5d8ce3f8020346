// Moving and copying files: byte-identical results within and across file systems, and never
// a lost or half-written file when anything fails.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/FileOps.h"
#include "files/FileSystemCalls.h"
#include "tests/files/FileTestUtil.h"

using namespace filetest;

namespace {

const std::size_t kSizes[] = {0, 1, 8191, 8192, 8193, 16385};

void ExpectMoved(const std::string& source, const std::string& target, const std::string& data) {
  EXPECT_FALSE(fs::exists(source)) << source;
  ASSERT_TRUE(fs::exists(target)) << target;
  EXPECT_EQ(Slurp(target), data) << target;
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EFileError& e) {
    return e.what();
  }
  return "";
}

TEST(CopyFileBlocks, CopiesEveryByteOfEverySize) {
  TScratch dir(DiskBase());
  for (std::size_t size : kSizes) {
    const std::string data = Pattern(size, static_cast<unsigned>(size));
    const std::string src = dir / ("src" + std::to_string(size));
    WriteFile(src, data);
    CopyFileBlocks(src, dir / ("dst" + std::to_string(size)));
    EXPECT_EQ(Slurp(dir / ("dst" + std::to_string(size))), data) << size;
    EXPECT_EQ(Slurp(src), data);
  }
}

TEST(CopyFileBlocks, RefusesExistingTargetsMissingSourcesAndFifos) {
  TScratch dir(DiskBase());
  WriteFile(dir / "a", "new");
  WriteFile(dir / "b", "precious");
  EXPECT_EQ(ErrorOf([&] { CopyFileBlocks(dir / "a", dir / "b"); }),
            "Cannot create file " + (dir / "b"));
  EXPECT_EQ(Slurp(dir / "b"), "precious");
  EXPECT_EQ(ErrorOf([&] { CopyFileBlocks(dir / "missing", dir / "c"); }),
            "Cannot open file " + (dir / "missing"));
  EXPECT_FALSE(fs::exists(dir / "c"));
  // A named pipe would block a reader for ever.
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(ErrorOf([&] { CopyFileBlocks(dir / "pipe", dir / "d"); }),
            "Cannot open file " + (dir / "pipe"));
  EXPECT_FALSE(fs::exists(dir / "d"));
}

TEST(RelocateFile, MovesWithinOneFileSystem) {
  TScratch dir(DiskBase());
  fs::create_directory(dir.Path() / "to");
  for (std::size_t size : {0, 8192, 16385}) {
    const std::string data = Pattern(size, 3);
    const std::string name = "f" + std::to_string(size) + ".jpg";
    WriteFile(dir / name, data);
    RelocateFile(dir / name, dir / ("to/" + name));
    ExpectMoved(dir / name, dir / ("to/" + name), data);
  }
}

TEST(RelocateFile, MovesAcrossFileSystemsBothWays) {
  TScratch disk(DiskBase());
  TScratch memory(MemoryBase());
  if (!OnDifferentVolumes(disk.Path(), memory.Path())) GTEST_SKIP() << "one volume only";
  for (std::size_t size : {0, 8192, 16385}) {
    const std::string data = Pattern(size, 11);
    const std::string name = "p" + std::to_string(size) + ".png";
    WriteFile(memory / name, data);
    RelocateFile(memory / name, disk / name);
    ExpectMoved(memory / name, disk / name, data);
    RelocateFile(disk / name, memory / name);
    ExpectMoved(disk / name, memory / name, data);
  }
}

TEST(RelocateFile, NeverReplacesAnExistingTarget) {
  TScratch disk(DiskBase());
  TScratch memory(MemoryBase());
  for (const TScratch* targetDir : {&disk, &memory}) {
    WriteFile(disk / "a.jpg", "source");
    WriteFile(*targetDir / "b.jpg", "kept");
    const std::string error = ErrorOf([&] { RelocateFile(disk / "a.jpg", *targetDir / "b.jpg"); });
    EXPECT_EQ(error, "Cannot move file " + (disk / "a.jpg"));
    EXPECT_EQ(Slurp(disk / "a.jpg"), "source");
    EXPECT_EQ(Slurp(*targetDir / "b.jpg"), "kept");
  }
}

TEST(RelocateFile, RefusesAReadOnlyFileAcrossFileSystemsButRenamesItWithinOne) {
  TScratch disk(DiskBase());
  TScratch memory(MemoryBase());
  if (!OnDifferentVolumes(disk.Path(), memory.Path())) GTEST_SKIP() << "one volume only";
  WriteFile(memory / "ro.gif", "read only");
  chmod((memory / "ro.gif").c_str(), 0444);
  EXPECT_EQ(ErrorOf([&] { RelocateFile(memory / "ro.gif", disk / "ro.gif"); }),
            "Cannot move file " + (memory / "ro.gif"));
  EXPECT_EQ(Slurp(memory / "ro.gif"), "read only");
  EXPECT_FALSE(fs::exists(disk / "ro.gif"));
  RelocateFile(memory / "ro.gif", memory / "moved.gif");
  ExpectMoved(memory / "ro.gif", memory / "moved.gif", "read only");
}

TEST(RelocateFile, RelativeTargetsAreTakenFromTheWorkingFolder) {
  TScratch dir(DiskBase());
  WriteFile(dir / "a", "x");
  const fs::path saved = fs::current_path();
  fs::create_directory(dir.Path() / "sub");
  fs::current_path(dir.Path() / "sub");
  RelocateFile(dir / "a", "b");
  fs::current_path(saved);
  ExpectMoved(dir / "a", dir / "sub/b", "x");
}

// The calls a failing disk makes: the n-th write fails with `error`, or the close or sync do.
struct TFailingDisk {
  static inline int WritesLeft = 0;
  static inline int Error = ENOSPC;
  static inline bool FailSync = false;
  static inline bool FailClose = false;
  static ssize_t Write(int fd, const void* b, std::size_t n) {
    if (WritesLeft-- <= 0) {
      errno = Error;
      return -1;
    }
    return ::write(fd, b, n);
  }
  static int Sync(int fd) {
    if (FailSync) {
      errno = EIO;
      return -1;
    }
    return ::fsync(fd);
  }
  static int Close(int fd) {
    const int r = ::close(fd);
    if (FailClose) {
      errno = EIO;
      return -1;
    }
    return r;
  }
  static TFileSystemCalls Calls() { return {::read, Write, Sync, Close}; }
};

TEST(RelocateFile, AFailingWriteSyncOrCloseLeavesTheSourceAndNoTarget) {
  TScratch disk(DiskBase());
  TScratch memory(MemoryBase());
  if (!OnDifferentVolumes(disk.Path(), memory.Path())) GTEST_SKIP() << "one volume only";
  const std::string data = Pattern(16385);
  struct TCase {
    int Writes;
    bool Sync, Close;
    const char* Message;
  } cases[] = {{0, false, false, "Cannot write file "},
               {1, false, false, "Cannot write file "},
               {100, true, false, "Cannot write file "},
               {100, false, true, "Cannot write file "}};
  for (const TCase& c : cases) {
    WriteFile(disk / "big.tif", data);
    TFailingDisk::WritesLeft = c.Writes;
    TFailingDisk::FailSync = c.Sync;
    TFailingDisk::FailClose = c.Close;
    std::string error;
    {
      TFileSystemCallsOverride failing(TFailingDisk::Calls());
      error = ErrorOf([&] { RelocateFile(disk / "big.tif", memory / "big.tif"); });
    }
    EXPECT_EQ(error, c.Message + (memory / "big.tif")) << c.Writes << c.Sync << c.Close;
    EXPECT_EQ(Slurp(disk / "big.tif"), data);
    EXPECT_FALSE(fs::exists(memory / "big.tif"));
  }
}

TEST(RelocateFile, AFileGrowingDuringTheCopyIsNotMoved) {
  TScratch disk(DiskBase());
  TScratch memory(MemoryBase());
  if (!OnDifferentVolumes(disk.Path(), memory.Path())) GTEST_SKIP() << "one volume only";
  static std::string growing;
  growing = disk / "growing.avi";
  WriteFile(growing, Pattern(20000));
  struct TGrow {
    static ssize_t Read(int fd, void* b, std::size_t n) {
      // Another program appends once while the copy reads.
      static bool appended = false;
      if (!appended) std::ofstream(growing, std::ios::binary | std::ios::app) << "more";
      appended = true;
      return ::read(fd, b, n);
    }
  };
  {
    TFileSystemCallsOverride growingSource({TGrow::Read, ::write, ::fsync, ::close});
    EXPECT_EQ(ErrorOf([&] { RelocateFile(growing, memory / "growing.avi"); }),
              "Cannot read file " + growing);
  }
  EXPECT_TRUE(fs::exists(growing));
  EXPECT_FALSE(fs::exists(memory / "growing.avi"));
}

TEST(RelocateFile, AFullVolumeLeavesTheSourceAndNoPartialFile) {
  TSmallVolume small(64);
  if (!small.Mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here";
  TScratch disk(DiskBase());
  const std::string data = Pattern(200 * 1024);
  WriteFile(disk / "large.bmp", data);
  const std::string target = (small.Path() / "large.bmp").string();
  EXPECT_EQ(ErrorOf([&] { RelocateFile(disk / "large.bmp", target); }),
            "Cannot write file " + target);
  EXPECT_EQ(Slurp(disk / "large.bmp"), data);
  EXPECT_FALSE(fs::exists(target));
  // A file that fits still moves.
  WriteFile(disk / "small.bmp", Pattern(8192));
  RelocateFile(disk / "small.bmp", (small.Path() / "small.bmp").string());
  ExpectMoved(disk / "small.bmp", (small.Path() / "small.bmp").string(), Pattern(8192));
}

}  // namespace
