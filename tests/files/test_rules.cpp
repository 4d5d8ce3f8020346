// The deletion rules, dropped files, patterns and the preferences model.
#include <gtest/gtest.h>

#include <map>

#include "files/ImageProperties.h"
#include "files/DeleteRules.h"
#include "files/DropMove.h"
#include "files/Preferences.h"
#include "files/Wildcard.h"
#include "tests/files/FileTestUtil.h"

using namespace filetest;

namespace {

TEST(DeleteRules, NextEntryAfterDeleting) {
  EXPECT_EQ(EntryAfterDelete(4, 4), 3);  // the last of five: entry 3
  EXPECT_EQ(EntryAfterDelete(1, 4), 1);  // entry 1 of five: the next file, now entry 1
  EXPECT_EQ(EntryAfterDelete(0, 0), -1);  // the only file: nothing current
  EXPECT_EQ(EntryAfterDelete(1, 1), 0);
  EXPECT_EQ(EntryAfterDelete(0, 3), 0);
  // Several at the end went: p - 1 can still lie beyond the end.
  EXPECT_EQ(EntryAfterDelete(5, 3), -1);
  EXPECT_EQ(EntryAfterDelete(4, 3), -1);
  EXPECT_EQ(EntryAfterDelete(3, 3), 2);
}

TEST(DeleteRules, QuestionAndSettings) {
  EXPECT_EQ(DeleteQuestion("/p/a.jpg", 1), "Delete file /p/a.jpg?");
  EXPECT_EQ(DeleteQuestion("/p/a.jpg", 0), "Delete file /p/a.jpg?");
  EXPECT_EQ(DeleteQuestion("/p/a.jpg", 2), "Delete selected files?");
  EXPECT_TRUE(DeletesPermanently("1"));
  for (const char* v : {"0", "2", "-1", "", "yes", " 1", "01", "1.0"})
    EXPECT_FALSE(DeletesPermanently(v)) << v;
  EXPECT_TRUE(ConfirmsDeletions("1"));
  EXPECT_FALSE(ConfirmsDeletions("0"));
  EXPECT_FALSE(ConfirmsDeletions("true"));
}

TEST(MoveDroppedFiles, MovesWhatItCanAndReportsTheRest) {
  TScratch from(MemoryBase());
  TScratch to(DiskBase());
  WriteFile(from / "one.jpg", Pattern(100, 1));
  WriteFile(from / "two.jpg", Pattern(100, 2));
  WriteFile(from / "three.jpg", Pattern(100, 3));
  WriteFile(to / "two.jpg", "already here");
  WriteFile(from / "empty.jpg", "");
  std::vector<std::string> messages;
  const std::string last = MoveDroppedFiles(
      to.Path().string(),
      {from / "one.jpg", from / "two.jpg", from / "empty.jpg", from / "three.jpg", from / "gone.jpg"},
      "current.jpg", [&](const std::string& m) { messages.push_back(m); });
  EXPECT_EQ(last, "three.jpg");
  EXPECT_EQ(Slurp(to / "one.jpg"), Pattern(100, 1));
  EXPECT_EQ(Slurp(to / "three.jpg"), Pattern(100, 3));
  EXPECT_EQ(Slurp(to / "two.jpg"), "already here");
  EXPECT_EQ(Slurp(from / "two.jpg"), Pattern(100, 2));
  EXPECT_TRUE(fs::exists(from / "empty.jpg"));
  EXPECT_FALSE(fs::exists(to / "empty.jpg"));
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0], "file " + (to / "two.jpg") +
                             " already exists. Select another directory before moving");
  EXPECT_EQ(messages[1],
            (from / "empty.jpg") + " has a size of zero. This may be because it is not yet closed.");
  EXPECT_EQ(messages[2],
            (from / "gone.jpg") + " has a size of zero. This may be because it is not yet closed.");
  // Nothing moved: the current name stays.
  EXPECT_EQ(MoveDroppedFiles(to.Path().string(), {}, "current.jpg", [](const std::string&) {}),
            "current.jpg");
}

TEST(Wildcard, MatchesLikeAFileDialog) {
  TWildcard jpg("*.jpg");
  EXPECT_TRUE(jpg.Matches("a.jpg"));
  EXPECT_TRUE(jpg.Matches("A.JPG"));
  EXPECT_TRUE(jpg.Matches(".jpg"));
  EXPECT_FALSE(jpg.Matches("a.jpeg"));
  EXPECT_FALSE(jpg.Matches("a.jpg.txt"));
  TWildcard all("*.*");
  EXPECT_TRUE(all.Matches("README"));
  EXPECT_TRUE(all.Matches("a.b"));
  TWildcard some("img_??.*;*.GIF");
  EXPECT_TRUE(some.Matches("IMG_01.png"));
  EXPECT_FALSE(some.Matches("img_1.png"));
  EXPECT_TRUE(some.Matches("x.gif"));
  EXPECT_TRUE(TWildcard("??.jpg").Matches("\xC3\xA4\xC3\xB6.jpg"));  // two letters, four bytes
  EXPECT_TRUE(TWildcard("a*b*c").Matches("aXbYbZc"));
  EXPECT_FALSE(TWildcard("a*b*c").Matches("aXbYbZ"));
  EXPECT_TRUE(TWildcard("holiday").Matches("Holiday"));
  EXPECT_TRUE(TWildcard(" ; ").Empty());
  EXPECT_FALSE(TWildcard("").Matches("a"));
}

TEST(Preferences, FileTypesMasksAndTypes) {
  EXPECT_EQ(FileTypeMaskOf("111111"), "*.jpg;*.gif;*.bmp;*.ico;*.wmf;*.avi");
  EXPECT_EQ(FileTypeMaskOf(kAllFileTypes),
            "*.jpg;*.gif;*.bmp;*.ico;*.wmf;*.avi;*.pcx;*.png;*.tga;*.tif");
  EXPECT_EQ(FileTypeMaskOf("0000000000"), "");
  EXPECT_EQ(FileTypeMaskOf("0000000x01"), "*.tif");
  EXPECT_EQ(FileTypesText(ParseFileTypes("01")), "0100000000");
  EXPECT_EQ(FileTypeOf("a.PNG"), 7);
  EXPECT_EQ(FileTypeOf("a.jpeg"), -1);
  EXPECT_EQ(FileTypeOf("tif"), -1);
  EXPECT_EQ(EditorValueName(9), "TIF Editor");
}

TEST(Preferences, DefaultsAndRoundTrip) {
  std::map<std::string, std::string> store;
  auto read = [&](const std::string& name, const std::string& fallback) {
    const auto it = store.find(name);
    return it == store.end() ? fallback : it->second;
  };
  auto write = [&](const std::string& name, const std::string& value) { store[name] = value; };
  TPreferences fresh = TPreferences::Read(read);
  EXPECT_EQ(FileTypesText(fresh.FileTypes), "1111111111");
  EXPECT_TRUE(fresh.ConfirmDeletions);
  EXPECT_FALSE(fresh.DeletePermanently);
  // OK without changes stores every type, every editor (even empty) and both choices.
  fresh.Write(write);
  EXPECT_EQ(store["FileTypes"], "1111111111");
  EXPECT_EQ(store.count("PCX Editor"), 1u);
  EXPECT_EQ(store["Deletions"], "0");
  EXPECT_EQ(store["Confirm Deletions"], "1");
  EXPECT_EQ(store.size(), 13u);

  TPreferences changed = fresh;
  changed.FileTypes = ParseFileTypes("0000000000");
  changed.Editors[0] = "/usr/bin/gimp";
  changed.DeletePermanently = true;
  changed.ConfirmDeletions = false;
  changed.Write(write);
  const TPreferences again = TPreferences::Read(read);
  EXPECT_EQ(FileTypesText(again.FileTypes), "0000000000");
  EXPECT_EQ(again.Editors[0], "/usr/bin/gimp");
  EXPECT_TRUE(again.DeletePermanently);
  EXPECT_FALSE(again.ConfirmDeletions);
  // Stored text that is not "1" means the trash.
  store["Deletions"] = "permanent";
  EXPECT_FALSE(TPreferences::Read(read).DeletePermanently);
}

}  // namespace

TEST(ImageProperties, PreviewLimitAndGradient) {
  TImageProperties p;
  p.Recognised = true;
  p.Size = kPreviewSizeLimit - 1;
  EXPECT_TRUE(p.ShowsPreview());
  p.Size = kPreviewSizeLimit;
  EXPECT_FALSE(p.ShowsPreview());
  p.Size = 10;
  p.Recognised = false;
  EXPECT_FALSE(p.ShowsPreview());
  EXPECT_EQ(SizeInKText(0), "1K");
  EXPECT_EQ(SizeInKText(1024), "2K");
  EXPECT_EQ(GradientRed(0, 420), 140);
  EXPECT_EQ(GradientRed(210, 420), 70);
  EXPECT_EQ(GradientRed(419, 420), 1);
  const TImageProperties missing = ReadImageProperties("/nonexistent/x.jpg");
  EXPECT_FALSE(missing.Recognised);
  EXPECT_EQ(missing.Rows("d")[6], (std::pair<std::string, std::string>{"Width", "0"}));
}
