// The move tool's preview sizes, kinds and the snapshot that tells new files apart.
#include <gtest/gtest.h>

#include "mover/core/MoverRules.h"

TEST(PreviewBox, ShrinksOrGrowsIntoTheBoxKeepingTheRatio) {
  EXPECT_EQ(FitPreviewBox(160, 120), (TBoxSize{145, 109}));  // a video of 160 x 120
  EXPECT_EQ(FitPreviewBox(300, 100), (TBoxSize{145, 48}));
  EXPECT_EQ(FitPreviewBox(100, 300), (TBoxSize{48, 145}));
  EXPECT_EQ(FitPreviewBox(40, 30), (TBoxSize{145, 109})) << "a small video is grown too";
  EXPECT_EQ(FitPreviewBox(2, 1), (TBoxSize{145, 72})) << "72.5 rounds to the even 72";
  // A size not known yet (a video whose header is not written) takes the whole box.
  EXPECT_EQ(FitPreviewBox(0, 120), (TBoxSize{145, 145}));
  EXPECT_EQ(FitPreviewBox(160, -1), (TBoxSize{145, 145}));
  // An extreme ratio never gives an empty control.
  EXPECT_EQ(FitPreviewBox(100000, 1), (TBoxSize{145, 1}));
}

TEST(PreviewBox, PicturesThatFitKeepTheirSize) {
  EXPECT_EQ(FitIfLarger(100, 100), (TBoxSize{100, 100}));
  EXPECT_EQ(FitIfLarger(145, 145), (TBoxSize{145, 145}));
  EXPECT_EQ(FitIfLarger(300, 100), (TBoxSize{145, 48}));
  EXPECT_EQ(FitIfLarger(0, 0), (TBoxSize{145, 145}));
}

TEST(PreviewKind, ThreeCharactersOfTheExtensionUpperCased) {
  EXPECT_EQ(PreviewKindOf("/p/a.jpeg"), "JPE");
  EXPECT_EQ(PreviewKindOf("/p/clip.avi"), "AVI");
  EXPECT_EQ(PreviewKindOf("/p.d/noext"), "");
  EXPECT_EQ(PreviewKindOf("/p/a.gif"), "GIF");
  EXPECT_EQ(PreviewSizeText(0), "1K");
  EXPECT_EQ(PreviewSizeText(1024), "2K");
  EXPECT_EQ(PreviewSizeText(-1), "0K");
}

TEST(Snapshot, TheFirstNewEntryInListOrder) {
  const auto snapshot = SnapshotOf({"c.jpg", "a.jpg", "b.jpg"});
  EXPECT_EQ(snapshot, (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(FirstNewEntry(snapshot, {"a.jpg", "b.jpg", "c.jpg"}), -1);
  EXPECT_EQ(FirstNewEntry(snapshot, {"a.jpg", "aa.jpg", "b.jpg", "c.jpg", "d.jpg"}), 1);
  EXPECT_EQ(FirstNewEntry(snapshot, {}), -1);
  EXPECT_EQ(FirstNewEntry({}, {"x.jpg"}), 0);
  EXPECT_EQ(EntryPath("/", "a.jpg"), "/a.jpg");
  EXPECT_EQ(EntryPath("/p", "a.jpg"), "/p/a.jpg");
}
