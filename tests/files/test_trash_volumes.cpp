// The freedesktop trash of a file's own volume, and the volumes an all-drives search visits.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "platform/Trash.h"
#include "platform/Volumes.h"
#include "tests/files/FileTestUtil.h"

namespace {

using namespace filetest;

// Points XDG_DATA_HOME at a scratch folder for the test's lifetime.
class TDataHome {
 public:
  explicit TDataHome(const fs::path& folder) {
    if (const char* old = std::getenv("XDG_DATA_HOME")) FOld = old, FHad = true;
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
  }
  ~TDataHome() {
    if (FHad) setenv("XDG_DATA_HOME", FOld.c_str(), 1); else unsetenv("XDG_DATA_HOME");
  }

 private:
  std::string FOld;
  bool FHad = false;
};

std::string InfoLine(const std::string& info, const std::string& key) {
  const auto at = info.find("\n" + key + "=");
  if (at == std::string::npos) return {};
  const auto start = at + key.size() + 2;
  return info.substr(start, info.find('\n', start) - start);
}

TEST(Trash, AFileOfTheHomeVolumeGoesToTheHomeTrashWithItsInfo) {
  TScratch scratch(DiskBase());
  const TDataHome home(scratch.Path() / "data");
  fs::create_directories(scratch.Path() / "data");
  fs::create_directories(scratch.Path() / "pics");
  const std::string first = scratch / "pics/holiday 1%.jpg";
  WriteFile(first, Pattern(100));
  const std::time_t before = std::time(nullptr);
  std::string reason;
  ASSERT_TRUE(RecycleFile(first, &reason)) << reason;
  EXPECT_FALSE(fs::exists(first));

  const fs::path trash = scratch.Path() / "data/Trash";
  EXPECT_EQ(HomeTrashDirectory(), trash.string());
  EXPECT_EQ(Slurp(trash / "files/holiday 1%.jpg"), Pattern(100));
  const std::string info = Slurp(trash / "info/holiday 1%.jpg.trashinfo");
  ASSERT_TRUE(info.starts_with("[Trash Info]\n")) << info;
  EXPECT_EQ(InfoLine(info, "Path"), EncodeTrashPath(fs::canonical(scratch.Path()).string() +
                                                    "/pics/holiday 1%.jpg"));
  EXPECT_EQ(DecodeTrashPath(InfoLine(info, "Path")),
            fs::canonical(scratch.Path()).string() + "/pics/holiday 1%.jpg");
  EXPECT_NE(InfoLine(info, "Path").find("holiday%201%25.jpg"), std::string::npos);
  std::tm tm{};
  ASSERT_NE(strptime(InfoLine(info, "DeletionDate").c_str(), "%Y-%m-%dT%H:%M:%S", &tm), nullptr);
  tm.tm_isdst = -1;
  EXPECT_LE(std::abs(std::difftime(std::mktime(&tm), before)), 5.0);

  // A second file of the same name never replaces the first one in the trash.
  WriteFile(first, Pattern(50, 3));
  ASSERT_TRUE(RecycleFile(first, &reason)) << reason;
  EXPECT_EQ(Slurp(trash / "files/holiday 1%.jpg"), Pattern(100));
  int infos = 0;
  for (const auto& e : fs::directory_iterator(trash / "info")) {
    ++infos;
    const std::string name = e.path().filename().string();
    ASSERT_TRUE(name.ends_with(".trashinfo"));
    EXPECT_TRUE(fs::exists(trash / "files" / name.substr(0, name.size() - 10))) << name;
  }
  EXPECT_EQ(infos, 2);
}

TEST(Trash, AFileOfAnotherVolumeGoesToThatVolumesTrash) {
  if (!OnDifferentVolumes(DiskBase(), MemoryBase())) GTEST_SKIP() << "one volume only";
  TScratch disk(DiskBase());
  TScratch memory(MemoryBase());
  const TDataHome home(disk.Path() / "data");
  const std::string file = memory / "away.png";
  WriteFile(file, Pattern(300));
  std::string reason;
  TTrashLocation location;
  ASSERT_TRUE(TrashLocationFor(file, location, &reason)) << reason;
  if (location.TopDirectory != "/dev/shm") GTEST_SKIP() << "/dev/shm is not a mount point here";
  EXPECT_EQ(location.Directory, "/dev/shm/.Trash-" + std::to_string(getuid()));
  ASSERT_TRUE(RecycleFile(file, &reason)) << reason;
  EXPECT_FALSE(fs::exists(file));
  // Paths in a volume's own trash are relative to its top folder; find our entry by its info.
  bool found = false;
  for (const auto& e : fs::directory_iterator(fs::path(location.Directory) / "info")) {
    const std::string info = Slurp(e.path());
    if (InfoLine(info, "Path") != EncodeTrashPath(memory.Path().filename().string() + "/away.png"))
      continue;
    found = true;
    const std::string name = e.path().stem().string();
    const fs::path kept = fs::path(location.Directory) / "files" / name;
    EXPECT_EQ(Slurp(kept), Pattern(300));
    fs::remove(kept);
    fs::remove(e.path());
  }
  EXPECT_TRUE(found);
}

TEST(Trash, AMissingFileIsReportedAndNothingIsWritten) {
  TScratch scratch(DiskBase());
  const TDataHome home(scratch.Path() / "data");
  std::string reason;
  EXPECT_FALSE(RecycleFile(scratch / "nothing.jpg", &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(fs::exists(scratch.Path() / "data/Trash/info/nothing.jpg.trashinfo"));
}

TEST(Volumes, PseudoFileSystemsAreLeftOut) {
  const std::string text =
      "21 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "22 21 0:5 / /proc rw - proc proc rw\n"
      "23 21 0:6 / /sys rw - sysfs sysfs rw\n"
      "24 21 0:7 / /run rw - tmpfs tmpfs rw\n"
      "25 24 0:8 / /run/user/1000 rw - tmpfs tmpfs rw\n"
      "26 21 8:2 / /media/My\\040Photos rw - vfat /dev/sdb1 rw\n"
      "27 21 8:3 / /home rw - ext4 /dev/sda2 rw\n"
      "28 21 0:9 / /var/lib/docker/x rw - overlay overlay rw\n"
      "29 21 0:10 / /dev/pts rw - devpts devpts rw\n"
      "30 21 8:3 / /home rw - ext4 /dev/sda2 rw\n"
      "garbage line\n";
  const auto entries = ParseMountInfo(text);
  ASSERT_EQ(entries.size(), 10u);
  EXPECT_EQ(entries[5].MountPoint, "/media/My Photos");
  EXPECT_EQ(UserVolumes(entries),
            (std::vector<std::string>{"/", "/home", "/media/My Photos"}));
  EXPECT_EQ(VolumeOf("/home/ann/pics/a.jpg", UserVolumes(entries)), "/home");
  EXPECT_EQ(VolumeOf("/homework/a.jpg", UserVolumes(entries)), "/");
  const auto mine = MountedVolumes();
  ASSERT_FALSE(mine.empty());
  EXPECT_EQ(mine.front(), "/");
}

}  // namespace
