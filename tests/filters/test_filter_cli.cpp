// lumivex-cli filter as whole processes: usage errors, what is written, and the results.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/filters/FilterTestUtil.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace {

namespace fs = std::filesystem;

struct TRun {
  int Status = -1;
  std::string Out, Err;
};

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FilterCli : public ::testing::Test {
 protected:
  void SetUp() override {
    FileFormatReaders();
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    FDir = fs::temp_directory_path() / ("lumivex-filter-cli-" + std::to_string(getpid()) + "-" + test);
    fs::create_directories(FDir);
    TPixelGraphic photo;
    MakeVaried(photo, 48, 32);
    SaveToFile(photo, Path("photo.bmp"));
    TPixelGraphic pal;
    MakeVariedPalette(pal, 20, 10, 200);
    SaveToFile(pal, Path("pal.bmp"));
  }
  void TearDown() override { fs::remove_all(FDir); }

  std::string Path(const std::string& name) const { return (FDir / name).string(); }

  TRun Run(const std::string& args) {
    const std::string out = Path("stdout"), err = Path("stderr");
    const std::string command = Quote(LUMIVEX_CLI) + " " + args + " >" + Quote(out) + " 2>" + Quote(err);
    const int raw = std::system(command.c_str());
    TRun run;
    run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    run.Out = Slurp(out);
    run.Err = Slurp(err);
    return run;
  }

  TRun Filter(const std::string& rest, const std::string& in, const std::string& out) {
    return Run("filter " + rest + " " + Quote(Path(in)) + " " + Quote(Path(out)));
  }

  fs::path FDir;
};

TEST_F(FilterCli, ListNamesEveryFilterWithKeysAndDefaults) {
  const TRun r = Run("filter --list");
  EXPECT_EQ(r.Status, 0);
  for (const char* n : {"negative", "grayscale", "bcg", "hsv", "sharpen", "blur", "emboss",
                        "fisheye", "swirl", "spray", "mononoise", "colornoise", "mosaic",
                        "bevel", "pencil", "posterize"})
    EXPECT_NE(("\n" + r.Out).find(std::string("\n") + n + " "), std::string::npos) << n;
  EXPECT_NE(r.Out.find("  brightness          -100..100           default 0"), std::string::npos);
  EXPECT_NE(r.Out.find("  stddeviation        0.40..1.30          default 0.75"), std::string::npos);
  EXPECT_EQ(Run("filter --help").Status, 0);
}

TEST_F(FilterCli, UsageErrorsWriteNothing) {
  struct TCase {
    std::string Args, Message;
  } cases[] = {
      {"nosuch", "unknown filter \"nosuch\""},
      {"bcg --param level=3", "unknown key \"level\" for bcg"},
      {"bcg --param brightness=120", "brightness: 120 is out of range -100..100"},
      {"hsv --param h=190", "h: 190 is out of range -180..180"},
      {"sharpen --param stddeviation=2", "stddeviation: 2 is out of range 0.40..1.30"},
      {"spray --seed -4", "--seed expects a non-negative integer"},
      {"blur --bogus 1", "unknown option --bogus"},
  };
  for (const TCase& c : cases) {
    const TRun r = Filter(c.Args, "photo.bmp", "out.bmp");
    EXPECT_EQ(r.Status, 2) << c.Args;
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << c.Args << ": " << r.Err;
    EXPECT_FALSE(fs::exists(FDir / "out.bmp")) << c.Args;
  }
  EXPECT_EQ(Run("filter negative " + Quote(Path("photo.bmp"))).Status, 2);
}

TEST_F(FilterCli, UnreadableInputFailsAndLeavesTheOutput) {
  std::ofstream(FDir / "junk.bmp") << "not a picture";
  std::ofstream(FDir / "old.bmp") << "keep me";
  const TRun r = Filter("negative", "junk.bmp", "old.bmp");
  EXPECT_EQ(r.Status, 1);
  EXPECT_FALSE(r.Err.empty());
  EXPECT_EQ(Slurp(FDir / "old.bmp"), "keep me");
}

TEST_F(FilterCli, ColourFiltersInPlaceConvolutionIntoTrueColour) {
  ASSERT_EQ(Filter("negative", "photo.bmp", "neg.bmp").Status, 0);
  TPixelGraphic photo, neg;
  LoadFromFile(photo, Path("photo.bmp"));
  LoadFromFile(neg, Path("neg.bmp"));
  const auto a = Colors(photo), b = Colors(neg);
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) ASSERT_EQ(b[i], a[i] ^ 0xFFFFFF);

  // A palette picture keeps its pixel indexes and gets a new palette.
  ASSERT_EQ(Filter("grayscale --param rgbweighting=false", "pal.bmp", "gray.bmp").Status, 0);
  TPixelGraphic pal, gray;
  LoadFromFile(pal, Path("pal.bmp"));
  LoadFromFile(gray, Path("gray.bmp"));
  EXPECT_EQ(gray.PixelFormat(), pf8Bit);
  EXPECT_EQ(RawPixels(gray), RawPixels(pal));
  const TRGB c = pal.PaletteColor(5);
  const int g = (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3;
  EXPECT_EQ(gray.PaletteColor(5), RGBColor(g, g, g));

  ASSERT_EQ(Filter("sharpen --param percent=80 --param distributionshape=tent", "pal.bmp", "sharp.bmp").Status, 0);
  TPixelGraphic sharp;
  LoadFromFile(sharp, Path("sharp.bmp"));
  EXPECT_EQ(sharp.PixelFormat(), pf24Bit);
  EXPECT_EQ(sharp.Width(), 20);
}

TEST_F(FilterCli, SeedsRepeatAndThreadsAgree) {
  ASSERT_EQ(Filter("colornoise --seed 42 --param amount=80", "photo.bmp", "a.bmp").Status, 0);
  ASSERT_EQ(Filter("colornoise --seed 42 --param amount=80", "photo.bmp", "b.bmp").Status, 0);
  ASSERT_EQ(Filter("colornoise --seed 43 --param amount=80", "photo.bmp", "c.bmp").Status, 0);
  EXPECT_EQ(Slurp(FDir / "a.bmp"), Slurp(FDir / "b.bmp"));
  EXPECT_NE(Slurp(FDir / "a.bmp"), Slurp(FDir / "c.bmp"));
  ASSERT_EQ(Filter("smooth --threads 1", "photo.bmp", "s1.bmp").Status, 0);
  ASSERT_EQ(Filter("smooth --threads 3", "photo.bmp", "s3.bmp").Status, 0);
  EXPECT_EQ(Slurp(FDir / "s1.bmp"), Slurp(FDir / "s3.bmp"));
  for (const char* effect : {"emboss", "fisheye", "swirl", "mosaic", "bevel", "pencil", "posterize", "spray", "mononoise"})
    EXPECT_EQ(Filter(effect, "photo.bmp", std::string(effect) + ".png").Status, 0) << effect;
}

}  // namespace
