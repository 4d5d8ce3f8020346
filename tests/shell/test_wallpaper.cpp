// The wallpaper: the four commands' values, each desktop's commands, and the BMP file a
// picture of another type becomes.
#include <gtest/gtest.h>

#include "app/shell/Wallpaper.h"
#include "app/shell/WallpaperBitmap.h"
#include "imaging/PGraphic.h"
#include "imaging/PGErrors.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"
#include "tests/shell/RecordingRunner.h"
#include "tests/shell/ShellTestUtil.h"

using namespace shelltest;

namespace {

std::vector<std::string> Args(std::initializer_list<std::string> list) { return list; }

void WritePicture(const std::string& path, int w, int h) {
  TPixelGraphic image;
  image.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, static_cast<TRGB>((x * 40) | (y * 60) << 8));
  SaveToFile(image, path);
}

class WallpaperBitmap : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitFormatLibrary(); }
};

}  // namespace

TEST(WallpaperValues, TheFourCommandsAndWhatTheyMean) {
  EXPECT_EQ(WallpaperValuesFor(TWallpaperMode::Centered, "/p/a.bmp"), (TWallpaperValues{"/p/a.bmp", "0", "0"}));
  EXPECT_EQ(WallpaperValuesFor(TWallpaperMode::Tiled, "/p/a.bmp"), (TWallpaperValues{"/p/a.bmp", "1", "0"}));
  EXPECT_EQ(WallpaperValuesFor(TWallpaperMode::Stretched, "/p/a.bmp"), (TWallpaperValues{"/p/a.bmp", "0", "2"}));
  EXPECT_EQ(WallpaperValuesFor(TWallpaperMode::None, "/p/a.bmp"), (TWallpaperValues{"(None)", "0", "0"}));
  for (auto mode : {TWallpaperMode::Centered, TWallpaperMode::Tiled, TWallpaperMode::Stretched,
                    TWallpaperMode::None})
    EXPECT_EQ(WallpaperModeOf(WallpaperValuesFor(mode, "/p/a.bmp")), mode);
  EXPECT_FALSE(WallpaperNeedsBitmap("/p/a.BmP"));
  EXPECT_FALSE(WallpaperNeedsBitmap("(None)"));
  EXPECT_TRUE(WallpaperNeedsBitmap("/p/a.jpg"));
  EXPECT_TRUE(WallpaperNeedsBitmap("/p.bmp/noextension"));
  EXPECT_TRUE(WallpaperNeedsBitmap(""));
}

TEST(WallpaperBackends, GnomeSetsBothPicturesAndTheOptions) {
  TRecordingRunner runner;
  auto backend = WallpaperBackendFor("ubuntu:GNOME", runner);
  backend->Apply("/home/u/my pics/a#1.bmp", TWallpaperMode::Tiled);
  const std::string uri = "file:///home/u/my%20pics/a%231.bmp";
  const std::string schema = "org.gnome.desktop.background";
  ASSERT_EQ(runner.Ran.size(), 3u);
  EXPECT_EQ(runner.Ran[0], (TCommand{"gsettings", Args({"set", schema, "picture-uri", uri})}));
  EXPECT_EQ(runner.Ran[1], (TCommand{"gsettings", Args({"set", schema, "picture-uri-dark", uri})}));
  EXPECT_EQ(runner.Ran[2], (TCommand{"gsettings", Args({"set", schema, "picture-options", "wallpaper"})}));
  runner.Ran.clear();
  backend->Apply("(None)", TWallpaperMode::None);
  ASSERT_EQ(runner.Ran.size(), 1u);
  EXPECT_EQ(runner.Ran[0].Arguments.back(), "none");
  // A failing gsettings is reported, never taken for success.
  runner.ExitCodes["gsettings"] = 1;
  EXPECT_THROW(backend->Apply("/a.bmp", TWallpaperMode::Stretched), EWallpaperError);
}

TEST(WallpaperBackends, PlasmaGetsOneScriptWithThePathEscaped) {
  TRecordingRunner runner;
  runner.Programs = {"qdbus"};
  auto backend = WallpaperBackendFor("KDE", runner);
  backend->Apply("/p/a\"b.bmp", TWallpaperMode::Stretched);
  ASSERT_EQ(runner.Ran.size(), 1u);
  const TCommand& c = runner.Ran[0];
  EXPECT_EQ(c.Program, "qdbus");
  ASSERT_EQ(c.Arguments.size(), 4u);
  EXPECT_EQ(c.Arguments[2], "org.kde.PlasmaShell.evaluateScript");
  EXPECT_NE(c.Arguments[3].find("writeConfig(\"Image\", \"file:///p/a%22b.bmp\")"), std::string::npos);
  EXPECT_NE(c.Arguments[3].find("writeConfig(\"FillMode\", 0)"), std::string::npos);
  EXPECT_EQ(ScriptString("a\"b\\c\n"), "\"a\\\"b\\\\c\\u000A\"");
}

TEST(WallpaperBackends, XfceSetsEveryBackdropItLists) {
  TRecordingRunner runner;
  runner.Outputs["xfconf-query"] =
      "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
      "/backdrop/screen0/monitorHDMI-1/workspace0/image-style\n"
      "/backdrop/screen0/monitoreDP-1/workspace0/last-image\n"
      "/desktop-icons/style\n";
  auto backend = WallpaperBackendFor("XFCE", runner);
  backend->Apply("/p/a b.bmp", TWallpaperMode::Centered);
  ASSERT_EQ(runner.Ran.size(), 5u);  // the listing, then picture and style of each backdrop
  EXPECT_EQ(runner.Ran[1].Arguments,
            Args({"--channel", "xfce4-desktop", "--property",
                  "/backdrop/screen0/monitorHDMI-1/workspace0/last-image", "--set", "/p/a b.bmp"}));
  EXPECT_EQ(runner.Ran[2].Arguments.back(), "1");
  EXPECT_EQ(runner.Ran[4].Arguments[3], "/backdrop/screen0/monitoreDP-1/workspace0/image-style");
  runner.Outputs["xfconf-query"] = "";
  EXPECT_THROW(backend->Apply("/p/a.bmp", TWallpaperMode::Centered), EWallpaperError);
}

TEST(WallpaperBackends, OtherDesktopsGetAClearMessage) {
  TRecordingRunner runner;
  for (const std::string desktop : {"", "LXQt", "sway"}) {
    auto backend = WallpaperBackendFor(desktop, runner);
    try {
      backend->Apply("/p/a.bmp", TWallpaperMode::Centered);
      FAIL() << "reported as set on " << desktop;
    } catch (const EWallpaperError& e) {
      EXPECT_NE(std::string(e.what()).find("not supported on this desktop"), std::string::npos);
    }
  }
  EXPECT_TRUE(runner.Ran.empty());
}

TEST_F(WallpaperBitmap, IsMadeInTheDataFolderAndReplacesOnlyWhenAllowed) {
  TScratch scratch;
  const std::string picture = scratch / "pics/holiday.2019.png";
  std::filesystem::create_directories(scratch / "pics");
  WritePicture(picture, 30, 20);
  const std::string target = WallpaperBitmapPath(scratch / "data", picture);
  EXPECT_EQ(target, scratch / "data/wallpaper/holiday.bmp");
  int asked = 0;
  EXPECT_TRUE(MakeWallpaperBitmap(picture, target, [&](const std::string&) { return ++asked, false; }));
  EXPECT_EQ(asked, 0);
  TPixelGraphic back;
  LoadFromFile(back, target);
  EXPECT_EQ(back.Width(), 30);
  EXPECT_EQ(back.Height(), 20);
  EXPECT_EQ(Slurp(target).substr(0, 2), "BM");

  // A file of that name exists already: declining leaves it as it was.
  WriteText(target, "someone else's file");
  EXPECT_FALSE(MakeWallpaperBitmap(picture, target, [&](const std::string& t) {
    EXPECT_EQ(t, target);
    return ++asked, false;
  }));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Slurp(target), "someone else's file");
  EXPECT_TRUE(MakeWallpaperBitmap(picture, target, [&](const std::string&) { return true; }));
  EXPECT_EQ(Slurp(target).substr(0, 2), "BM");
  // No temporary file stays behind, and the picture's own folder got nothing.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch / "data/wallpaper"),
                          std::filesystem::directory_iterator()), 1);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch / "pics"),
                          std::filesystem::directory_iterator()), 1);
}

TEST_F(WallpaperBitmap, AnUnreadablePictureReportsTheImagingError) {
  TScratch scratch;
  WriteText(scratch / "bad.jpg", "not a picture at all");
  const std::string target = WallpaperBitmapPath(scratch / "data", scratch / "bad.jpg");
  EXPECT_THROW(MakeWallpaperBitmap(scratch / "bad.jpg", target, [](const std::string&) { return true; }),
               EPixelGraphic);
  EXPECT_FALSE(std::filesystem::exists(target));
}
