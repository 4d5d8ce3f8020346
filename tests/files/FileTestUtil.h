// Scratch folders on the disk and on a memory file system, files of given sizes, and a small
// private tmpfs for full-disk cases (when this process may mount one).
#pragma once

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace filetest {

namespace fs = std::filesystem;

inline std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Bytes that differ from position to position, so a shifted or short copy shows.
inline std::string Pattern(std::size_t size, unsigned seed = 7) {
  std::string s(size, '\0');
  unsigned v = seed;
  for (char& c : s) {
    v = v * 1103515245u + 12345u;
    c = static_cast<char>(v >> 16);
  }
  return s;
}

inline void WriteFile(const fs::path& p, const std::string& contents) {
  std::ofstream(p, std::ios::binary) << contents;
}

inline std::string UniqueName(const std::string& prefix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return prefix + "-" + std::to_string(getpid()) + "-" + info->test_suite_name() + "-" +
         info->name();
}

// A folder removed again at the end of the test.
class TScratch {
 public:
  explicit TScratch(const fs::path& base, const std::string& prefix = "lumivex-files")
      : FPath(base / UniqueName(prefix)) {
    fs::remove_all(FPath);
    fs::create_directories(FPath);
  }
  ~TScratch() {
    std::error_code ec;
    // Read-only folders left by a test must not stop the clean-up.
    for (auto it = fs::recursive_directory_iterator(FPath, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(FPath, ec);
  }
  const fs::path& Path() const { return FPath; }
  std::string operator/(const std::string& name) const { return (FPath / name).string(); }

 private:
  fs::path FPath;
};

// The disk (the folder of the build tree's temporary files) and memory (/dev/shm).
inline fs::path DiskBase() {
  const fs::path base = fs::path(LUMIVEX_TEST_DISK_DIR);
  fs::create_directories(base);
  return base;
}
inline fs::path MemoryBase() { return fs::path("/dev/shm"); }
inline bool OnDifferentVolumes(const fs::path& a, const fs::path& b) {
  struct stat sa {}, sb {};
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev != sb.st_dev;
}

// A tmpfs of `kilobytes` mounted on a scratch folder for the test's lifetime; Mounted() is
// false where this process may not mount (then the test is skipped).
class TSmallVolume {
 public:
  explicit TSmallVolume(int kilobytes) : FScratch(DiskBase(), "lumivex-volume") {
    const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0777";
    FMounted = geteuid() == 0 &&
               mount("tmpfs", FScratch.Path().c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~TSmallVolume() {
    if (FMounted) umount2(FScratch.Path().c_str(), MNT_DETACH);
  }
  bool Mounted() const { return FMounted; }
  const fs::path& Path() const { return FScratch.Path(); }

 private:
  TScratch FScratch;
  bool FMounted = false;
};

}  // namespace filetest
