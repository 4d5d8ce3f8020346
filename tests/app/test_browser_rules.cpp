// Status texts, display kinds, fitting rules, file masks and the file list model.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/BrowserRules.h"
#include "controls/FileList.h"

namespace {

TEST(BrowserRules, SizesKindsAndMasks) {
  EXPECT_EQ(FileSizeText(0), "1K");
  EXPECT_EQ(FileSizeText(1023), "1K");
  EXPECT_EQ(FileSizeText(1024), "2K");
  EXPECT_EQ(FileSizeText(5LL * 1024 * 1024 * 1024), "5242881K");  // sizes in 64 bits
  EXPECT_EQ(DisplayKindOf("/p/x.jpeg"), "JPE");
  EXPECT_EQ(DisplayKindOf("/p/x.AVI"), "AVI");
  EXPECT_EQ(DisplayKindOf("/p.d/noext"), "");
  EXPECT_EQ(FileTypeMask("111111"), "*.jpg;*.gif;*.bmp;*.ico;*.wmf;*.avi");
  EXPECT_EQ(FileTypeMask("0000000111"), "*.png;*.tga;*.tif");
  EXPECT_EQ(FileTypeMask("0000000000"), "");
  EXPECT_EQ(FileTypeMask("1"), "*.jpg");
  EXPECT_EQ(PictureStatusText("a.jpg", 640, 480), "a.jpg  (640 x 480)");
  EXPECT_EQ(DisplayRouteOf(DisplayKindOf("/p/x.avi")), TDisplayRoute::Video);
  EXPECT_EQ(DisplayRouteOf("GIF"), TDisplayRoute::AnimatedGIF);
  EXPECT_EQ(DisplayRouteOf("WMF"), TDisplayRoute::Picture);
  EXPECT_EQ(DisplayRouteOf("ICO"), TDisplayRoute::Picture);
  EXPECT_EQ(DisplayRouteOf("EMF"), TDisplayRoute::View);  // enhanced metafiles go to the view
  EXPECT_EQ(DisplayRouteOf("JPE"), TDisplayRoute::View);
  EXPECT_EQ(DisplayRouteOf(""), TDisplayRoute::View);
  EXPECT_EQ(MenuCaption("/x/Tom & Jerry"), "/x/Tom && Jerry");
}

TEST(BrowserRules, FitRuleAndFitToPane) {
  EXPECT_EQ(FitRuleSize(100, 80, 108, 88, false), QSize(100, 80));
  EXPECT_EQ(FitRuleSize(100, 80, 107, 88, false), QSize(99, 79));  // fitted
  EXPECT_EQ(FitRuleSize(100, 80, 108, 88, true), QSize(100, 80));  // fitted: same size
  EXPECT_EQ(FitToPaneSize(200, 100, 408, 408), QSize(400, 200));
  EXPECT_EQ(FitToPaneSize(200, 100, 208, 58), QSize(100, 50));
  EXPECT_EQ(FitToPaneSize(10, 10, 1008, 508), QSize(500, 500));  // small pictures grow
  // Nothing to fit: no content, or a pane without room.
  EXPECT_FALSE(FitToPaneSize(0, 100, 400, 400).isValid());
  EXPECT_FALSE(FitToPaneSize(100, 100, 8, 400).isValid());
  // A very wide picture keeps at least one pixel of height.
  EXPECT_EQ(FitToPaneSize(100000, 1, 408, 408).height(), 1);
  EXPECT_EQ(ShrinkVideoSize(320, 240), QSize(145, 109));
  EXPECT_EQ(ShrinkVideoSize(240, 320), QSize(109, 145));
}

struct FileList : ::testing::Test {
  QTemporaryDir dir;
  void Touch(const QString& name) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
  }
};

TEST_F(FileList, MasksOrderAndLookups) {
  for (const char* n : {"b.jpg", "A.JPG", "a.jpg", "c.gif", "notes.txt", "d.Bmp"}) Touch(n);
  QDir(dir.path()).mkdir("folder.jpg");  // folders are never listed
  TFileListModel files;
  files.SetMask("*.jpg;*.bmp");
  files.SetFolder(dir.path());
  EXPECT_EQ(files.Names(), (QStringList{"A.JPG", "a.jpg", "b.jpg", "d.Bmp"}));
  EXPECT_EQ(files.Position(), 0);
  EXPECT_FALSE(files.AnySelected());
  EXPECT_EQ(files.CurrentIndex(), -1);  // the position is not selected yet
  EXPECT_EQ(files.Find("a.jpg"), 1);    // exact first
  EXPECT_EQ(files.Find("A.JPG"), 0);
  EXPECT_EQ(files.Find("B.JPG"), 2);    // otherwise ignoring case
  EXPECT_EQ(files.Find("c.gif"), -1);
  files.SetMask("");
  EXPECT_EQ(files.Count(), 0);
  EXPECT_EQ(files.Position(), -1);
}

TEST_F(FileList, SteppingWrapsAround) {
  for (const char* n : {"1.jpg", "2.jpg", "3.jpg"}) Touch(n);
  TFileListModel files;
  files.SetMask("*.jpg");
  files.SetFolder(dir.path());
  ASSERT_TRUE(files.StepNext());  // fresh folder: the first Next shows entry 1
  EXPECT_EQ(files.CurrentIndex(), 1);
  files.StepNext();
  files.StepNext();
  EXPECT_EQ(files.CurrentIndex(), 0);
  EXPECT_FALSE(files.IsSelected(2));
  files.StepPrevious();
  EXPECT_EQ(files.CurrentIndex(), 2);
  files.SetSelected(0, true);  // other selected entries stay selected
  files.StepPrevious();
  EXPECT_TRUE(files.IsSelected(0));
  EXPECT_TRUE(files.IsSelected(1));
  TFileListModel empty;
  EXPECT_FALSE(empty.StepNext());
  EXPECT_FALSE(empty.StepPrevious());
}

}  // namespace
