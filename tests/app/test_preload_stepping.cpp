// Stepping through a folder with the neighbours read ahead: the next picture comes from the
// cache, a folder change cancels, and the preferences switch turns it off.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/MainWindow.h"
#include "app/PrefsDialog.h"
#include "app/ViewingPrefsPage.h"
#include "app/Windows.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "view/PGImage.h"
#include "view/Preloader.h"
#include "tests/app/MainWindowFixture.h"

namespace {

using testing_app::SavePicture;

struct PreloadStepping : testing_app::MainWindowFixture {
  QTemporaryDir other;

  void SetUp() override {
    MainWindowFixture::SetUp();
    WriteSetting("Preload", "1");
    SavePicture(dir.filePath("a.bmp"), 40, 30, RGBColor(255, 0, 0));
    SavePicture(dir.filePath("b.bmp"), 60, 20, RGBColor(0, 255, 0));
    SavePicture(dir.filePath("c.bmp"), 50, 50, RGBColor(0, 0, 255));
    SavePicture(dir.filePath("d.bmp"), 10, 10, RGBColor(9, 9, 9));
    SavePicture(other.filePath("x.bmp"), 10, 10, RGBColor(9, 9, 9));
    OpenWindow();
    QTest::qWait(10);
  }
  bool Ahead(const char* name) const {
    return window->Preloader().Cache().Contains(dir.filePath(name).toStdString());
  }
  void Show(int index) {
    window->Files().MakeCurrent(index);
    window->ShowFile(window->Files().PathOf(index));
    window->Preloader().WaitIdle();
  }
};

TEST_F(PreloadStepping, NeighboursAreReadAheadAndStepsUseThem) {
  Show(0);
  // The next picture and the previous one (wrapping round to the last).
  EXPECT_TRUE(Ahead("b.bmp"));
  EXPECT_TRUE(Ahead("d.bmp"));
  EXPECT_FALSE(Ahead("c.bmp"));
  window->NextImage();
  EXPECT_EQ(window->PGImage1()->FileName(), dir.filePath("b.bmp"));
  EXPECT_EQ(window->StatusText(2), "b.bmp  (60 x 20)");
  ASSERT_NE(window->PGImage1()->PixelGraphicNoWait(), nullptr);
  EXPECT_EQ(window->PGImage1()->PixelGraphicNoWait()->Pixel(5, 5), RGBColor(0, 255, 0));
  EXPECT_FALSE(Ahead("b.bmp"));  // handed to the view
  window->Preloader().WaitIdle();
  EXPECT_TRUE(Ahead("c.bmp"));
  EXPECT_TRUE(Ahead("a.bmp"));
  EXPECT_FALSE(Ahead("d.bmp"));
  EXPECT_LE(window->Preloader().Cache().Count(), 3u);
}

TEST_F(PreloadStepping, FolderChangeCancels) {
  Show(0);
  ASSERT_GT(window->Preloader().Cache().Count(), 0u);
  window->SetFolder(other.path());
  EXPECT_EQ(window->Preloader().Cache().Count(), 0u);
  EXPECT_FALSE(window->Preloader().Working());
}

TEST_F(PreloadStepping, SwitchedOffInThePreferences) {
  auto& prefs = windows->Get<TfPrefs>();
  QTimer::singleShot(0, &prefs, [&prefs] {
    prefs.Tabs()->setCurrentWidget(prefs.ViewingPage());
    EXPECT_TRUE(prefs.ViewingPage()->PreloadBox()->isChecked());
    prefs.ViewingPage()->PreloadBox()->click();
    prefs.accept();
  });
  window->SetPreferences();
  EXPECT_FALSE(window->Viewing().Preload);
  EXPECT_EQ(ReadSetting("Preload", "?"), "0");
  Show(0);
  EXPECT_EQ(window->Preloader().Cache().Count(), 0u);
  window->NextImage();
  EXPECT_EQ(window->StatusText(2), "b.bmp  (60 x 20)");
}

}  // namespace

namespace {

// A 32 x 16 JPEG (left half red) stored turned: its EXIF orientation tag says 6.
void SaveTurnedJPEG(const QString& path) {
  SavePicture(path, 32, 16, RGBColor(0, 0, 255));
  TPixelGraphic g;
  LoadFromFile(g, path.toStdString());
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) g.SetPixel(x, y, RGBColor(255, 0, 0));
  SaveToFile(g, path.toStdString());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray bytes = file.readAll();
  file.close();
  const char exif[] = {'\xFF', '\xE1', 0, 34, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0,
                       0, 8, 0, 1, 1, 0x12, 0, 3, 0, 0, 0, 1, 0, 6, 0, 0, 0, 0, 0, 0};
  bytes.insert(2, QByteArray(exif, sizeof exif));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST_F(PreloadStepping, TaggedPhotosShowUprightDirectlyAndWhenReadAhead) {
  SaveTurnedJPEG(dir.filePath("b.jpg"));
  window->Refresh();
  const int turned = window->Files().Find("b.jpg");
  ASSERT_GE(turned, 0);
  Show(turned);
  EXPECT_EQ(window->StatusText(2), "b.jpg  (16 x 32)");
  const TPixelGraphic* g = window->PGImage1()->PixelGraphicNoWait();
  ASSERT_NE(g, nullptr);
  EXPECT_GT(RedOf(g->Pixel(8, 4)), 200);   // the red half is on top
  EXPECT_GT(BlueOf(g->Pixel(8, 28)), 200);
  // Read ahead and stepped to: upright as well.
  Show(turned - 1);
  ASSERT_TRUE(window->Preloader().Cache().Contains(dir.filePath("b.jpg").toStdString()));
  window->NextImage();
  EXPECT_EQ(window->StatusText(2), "b.jpg  (16 x 32)");
  // Switched off: as stored.
  TViewingSettings off = window->Viewing();
  off.AutoRotate = false;
  window->SetViewing(off);
  Show(turned);
  EXPECT_EQ(window->StatusText(2), "b.jpg  (32 x 16)");
}

}  // namespace
