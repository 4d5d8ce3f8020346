#include <gtest/gtest.h>

#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <utime.h>

#include "tests/thumbs/ThumbsTestUtil.h"
#include "thumbs/core/ThumbEntries.h"

using namespace thumbs_test;

namespace {

TThumbEntry Entry(const std::string& name, std::uint64_t size, std::int64_t seconds) {
  return TThumbEntry{name, size, seconds * 1000000000};
}

std::vector<std::string> Names(const std::vector<TThumbEntry>& entries) {
  std::vector<std::string> out;
  for (const auto& e : entries) out.push_back(e.Name);
  return out;
}

using Names_t = std::vector<std::string>;

}  // namespace

TEST(ThumbEntries, ColumnTexts) {
  EXPECT_EQ(Entry("a.jpg", 0, 0).SizeText(), "1K");
  EXPECT_EQ(Entry("a.jpg", 1023, 0).SizeText(), "1K");
  EXPECT_EQ(Entry("a.jpg", 1024, 0).SizeText(), "2K");
  EXPECT_EQ(Entry("a.jpg", 5'000'000'000ULL, 0).SizeText(), "4882813K");  // beyond 32 bits
  EXPECT_EQ(Entry("beach.jpeg", 0, 0).TypeText(), "JPE");
  EXPECT_EQ(Entry("archive.tar.gz", 0, 0).TypeText(), "GZ");
  EXPECT_EQ(Entry("README", 0, 0).TypeText(), "");
}

TEST(ThumbEntries, SizesSortNumericallyAndDatesChronologically) {
  // As texts "10K" < "2K" < "9K", and "12/01/2020" > "02/01/2021".
  std::vector<TThumbEntry> e = {Entry("a.jpg", 9 * 1024, 1'606'780'800),     // 2020-12-01
                                Entry("b.jpg", 1024, 1'612'137'600),         // 2021-02-01
                                Entry("c.jpg", 10 * 1024, 1'577'836'800)};   // 2020-01-01
  SortThumbEntries(e, tcSize, true);
  EXPECT_EQ(Names(e), (Names_t{"b.jpg", "a.jpg", "c.jpg"}));
  SortThumbEntries(e, tcSize, false);
  EXPECT_EQ(Names(e), (Names_t{"c.jpg", "a.jpg", "b.jpg"}));
  SortThumbEntries(e, tcModified, true);
  EXPECT_EQ(Names(e), (Names_t{"c.jpg", "a.jpg", "b.jpg"}));
  SortThumbEntries(e, tcModified, false);
  EXPECT_EQ(Names(e), (Names_t{"b.jpg", "a.jpg", "c.jpg"}));
}

TEST(ThumbEntries, TypeGroupsByExtensionThenNameAndNamesIgnoreCase) {
  std::vector<TThumbEntry> e = {Entry("zeta.bmp", 1, 5), Entry("Beta.jpg", 1, 5),
                                Entry("alpha.jpg", 1, 5), Entry("gamma.BMP", 1, 5)};
  SortThumbEntries(e, tcType, true);
  EXPECT_EQ(Names(e), (Names_t{"gamma.BMP", "zeta.bmp", "alpha.jpg", "Beta.jpg"}));
  SortThumbEntries(e, tcName, true);
  EXPECT_EQ(Names(e), (Names_t{"alpha.jpg", "Beta.jpg", "gamma.BMP", "zeta.bmp"}));
  // Equal times order by name; equal sizes keep their order.
  SortThumbEntries(e, tcModified, false);
  EXPECT_EQ(Names(e), (Names_t{"zeta.bmp", "gamma.BMP", "Beta.jpg", "alpha.jpg"}));
  EXPECT_EQ(CompareThumbEntries(e[0], e[1], tcSize), 0);
}

TEST(ThumbEntries, FolderListingFollowsTheMask) {
  TTempFolder dir;
  { std::ofstream(dir / "b.JPG") << std::string(2000, 'x'); }
  { std::ofstream(dir / "a.bmp") << "x"; }
  { std::ofstream(dir / "notes.txt") << "x"; }
  std::filesystem::create_directory(dir.Path() / "sub.jpg");
  const timespec times[2] = {{0, UTIME_OMIT}, {1'000'000'000, 5}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "a.bmp").c_str(), times, 0), 0);
  const auto entries = ListThumbEntries(dir.Path().string(), "*.jpg;*.bmp");
  EXPECT_EQ(Names(entries), (Names_t{"a.bmp", "b.JPG"}));
  EXPECT_EQ(entries[1].Size, 2000u);
  EXPECT_EQ(entries[0].Modified, 1'000'000'000LL * 1'000'000'000 + 5);
  EXPECT_THROW(ListThumbEntries((dir / "missing").c_str(), "*"), std::filesystem::filesystem_error);
  // A time far in the future still sorts after the others, without overflowing.
  const timespec far[2] = {{0, UTIME_OMIT}, {40'000'000'000LL, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "b.JPG").c_str(), far, 0), 0);
  auto later = ListThumbEntries(dir.Path().string(), "*.jpg;*.bmp");
  SortThumbEntries(later, tcModified, true);
  EXPECT_EQ(Names(later), (Names_t{"a.bmp", "b.JPG"}));
  EXPECT_GT(later[1].Modified, later[0].Modified);
}
