// lumivex-cli sheet, run as a process.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sys/wait.h>

#include "imaging/formats/LoadSave.h"
#include "tests/thumbs/ThumbsTestUtil.h"

using namespace thumbs_test;

namespace {

struct TRun {
  int Status;
  std::string Out;
};

TRun RunCli(const std::string& arguments, const std::string& errFile) {
  const std::string command = std::string(LUMIVEX_CLI) + " " + arguments + " 2>" + errFile;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
  const int status = ::pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(SheetCommand, MakesTheSheetAndReportsItsSize) {
  TTempFolder dir;
  std::string files;
  for (int i = 0; i < 7; ++i)
    files += " " + WriteSolid(dir.Path() / ("p" + std::to_string(i) + ".bmp"), 120 + i, 90,
                              RGBColor(30 * i, 0, 0));
  const TRun run = RunCli("sheet" + files + " --out " + (dir / "sheet.png"), dir / "err");
  EXPECT_EQ(run.Status, 0) << Slurp(dir / "err");
  EXPECT_EQ(run.Out, "ThumbVex size : 716 X 282\n");
  TPixelGraphic sheet;
  LoadFromFile(sheet, dir / "sheet.png");
  EXPECT_EQ(sheet.Width(), 716);
  EXPECT_EQ(sheet.Height(), 282);
  // The names are drawn in black under the cells.
  int dark = 0;
  for (int y = 146 + 96 + 4; y < 146 + 96 + 24; ++y)
    for (int x = 10; x < 126; ++x) dark += GreenOf(sheet.PixelColor(x, y)) < 128 ? 1 : 0;
  EXPECT_GT(dark, 5);
}

TEST(SheetCommand, BadValuesAndBadFiles) {
  TTempFolder dir;
  const std::string a = WriteSolid(dir.Path() / "a.bmp", 40, 40, 0);
  TRun run = RunCli("sheet " + a + " --cols 0 --out " + (dir / "s.png"), dir / "err");
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(Slurp(dir / "err").find("Invalid value. Enter a value between 2 and 20"),
            std::string::npos);
  run = RunCli("sheet " + a + " --size 25 --out " + (dir / "s.png"), dir / "err");
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(Slurp(dir / "err").find("between 30 and 900"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "s.png"));

  run = RunCli("sheet " + a + " " + (dir / "gone.jpg") + " --title Hello --out " +
                   (dir / "s.png"),
               dir / "err");
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(Slurp(dir / "err").find("Error loading file " + (dir / "gone.jpg")),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir / "s.png"));
}

TEST(ThumbnailsCommand, FillsTheCacheThenReadsFromIt) {
  TTempFolder dir;
  std::string files;
  for (int i = 0; i < 3; ++i)
    files += " " + WriteSolid(dir.Path() / ("p" + std::to_string(i) + ".jpg"), 640, 480,
                              RGBColor(0, 0, 200));
  const std::string env = "XDG_CACHE_HOME=" + (dir / "cache") + " ";
  TRun run;
  const std::string cli = std::string(LUMIVEX_CLI);
  auto runWithCache = [&](const std::string& args) {
    const std::string command = env + cli + " " + args + " 2>" + (dir / "err");
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    const int status = ::pclose(pipe);
    return TRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
  };
  run = runWithCache("thumbnails --size 64 --jobs 2 --out-dir " + dir.Path().string() + files);
  EXPECT_EQ(run.Status, 0) << Slurp(dir / "err");
  EXPECT_EQ(run.Out, "3 thumbnails, 0 from the cache, 0 not readable\n");
  EXPECT_TRUE(std::filesystem::exists(dir / "p1.png"));
  run = runWithCache("thumbnails --size 64" + files);
  EXPECT_EQ(run.Out, "3 thumbnails, 3 from the cache, 0 not readable\n");
  run = runWithCache("thumbnails --no-cache" + files + " " + (dir / "none.jpg"));
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Out, "4 thumbnails, 0 from the cache, 1 not readable\n");
}
