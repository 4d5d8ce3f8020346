// lumivex-cli and its Qt module: the program itself never maps Qt; reading a metafile or
// printing loads the module, and a missing module is a clear error.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"
#include "platform/MetafileRecords.h"
#include "tests/platform/MetafileBuilder.h"

namespace {

namespace fs = std::filesystem;

struct TRun {
  int Status = -1;
  std::string Err;
  std::string Loaded;  // the dynamic loader's file log (LD_DEBUG=files) of the run
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

std::string Capture(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

const std::string kData = LUMIVEX_FORMATS_TEST_DATA;
// A placeable Windows metafile of 100 x 50 pixels filled red.
TMetaBytes RedWMF() {
  TWMFBuilder w;
  w.Record(wmfCreateBrushIndirect, {0, 0x00FF, 0, 0});
  w.Record(wmfSelectObject, {0});
  w.Record(wmfRectangle, {50, 100, 0, 0});
  return w.Build(true, 100, 50, 96);
}

// An enhanced metafile of 50 x 50 pixels with a 16-colour palette (a 4-bit picture), filled
// red.
TMetaBytes RedEMF() {
  TEMFBuilder e;
  e.Record(emrCreateBrushIndirect, {1, 0, 0x0000FF, 0});
  e.Record(emrSelectObject, {1});
  e.Record(emrRectangle, {0, 0, 49, 49});
  std::vector<std::uint32_t> palette(16, 0xFFFFFF);
  palette[1] = 0x0000FF;
  palette[2] = 0;
  return e.Build(50, 50, 108, palette);
}

bool IsRed(TRGB c) { return RedOf(c) > 200 && GreenOf(c) < 60 && BlueOf(c) < 60; }

class CliModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    FDir = fs::temp_directory_path() /
           ("lumivex-cli-module-test-" + std::to_string(getpid()) + "-" + test);
    fs::create_directories(FDir / "data");
    for (const auto& [name, bytes] : {std::pair{"red.wmf", RedWMF()}, std::pair{"red.emf", RedEMF()}})
      std::ofstream(FDir / name, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    FWMF = (FDir / "red.wmf").string();
  }
  void TearDown() override { fs::remove_all(FDir); }

  // Runs `program` with the arguments in a private desktop environment, logging the files
  // the dynamic loader maps.
  TRun Run(const std::string& args, const std::string& program = LUMIVEX_CLI) {
    const fs::path log = FDir / "ld";
    const fs::path err = FDir / "stderr";
    const std::string command = "XDG_DATA_HOME=" + Quote((FDir / "data").string()) +
                                " XDG_CACHE_HOME=" + Quote((FDir / "cache").string()) +
                                " LD_DEBUG=files LD_DEBUG_OUTPUT=" + Quote(log.string()) + " " +
                                Quote(program) + " " + args + " >/dev/null 2>" +
                                Quote(err.string());
    const int raw = std::system(command.c_str());
    TRun run;
    run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    run.Err = Slurp(err);
    for (const auto& entry : fs::directory_iterator(FDir))
      if (entry.path().filename().string().rfind("ld.", 0) == 0) {
        run.Loaded += Slurp(entry.path());
        fs::remove(entry.path());
      }
    return run;
  }
  std::string P(const std::string& name) const { return Quote((FDir / name).string()); }
  fs::path FDir;
  std::string FWMF;
};

bool MapsQt(const TRun& run) {
  return run.Loaded.find("libQt6") != std::string::npos ||
         run.Loaded.find("lumivex-cli-qt") != std::string::npos;
}

TEST(CliModule, TheProgramNeedsNoQtLibrary) {
  const std::string dynamic = Capture("readelf -d " + Quote(LUMIVEX_CLI));
  ASSERT_NE(dynamic.find("(NEEDED)"), std::string::npos) << "readelf gave no dynamic section";
  EXPECT_EQ(dynamic.find("libQt"), std::string::npos) << dynamic;
  // The module is the one that needs Qt.
  const std::string module = Capture("readelf -d " + Quote(LUMIVEX_CLI_QT_MODULE));
  EXPECT_NE(module.find("libQt6Gui"), std::string::npos) << module;
}

TEST_F(CliModuleTest, PlainCommandsNeverMapQt) {
  const std::string bmp = Quote(kData + "/bmp/nb_pal8.bmp");
  const std::string jpg = Quote(kData + "/jpeg/im_rgb.jpg");
  fs::create_directories(FDir / "pics");
  fs::create_directories(FDir / "thumbs");
  fs::copy_file(kData + "/bmp/nb_pal8.bmp", FDir / "pics" / "a.bmp");
  fs::copy_file(kData + "/bmp/nb_pal8.bmp", FDir / "pics" / "b.bmp");
  const std::vector<std::string> commands = {
      "convert " + bmp + " " + P("out.png"),
      "convert " + jpg + " " + P("out.ppm"),
      "info " + bmp,
      "info " + Quote(FWMF),
      "formats",
      "filter negative " + bmp + " " + P("negative.bmp"),
      "edit --flip h " + bmp + " " + P("flipped.tga"),
      "search '*.bmp' " + P("pics"),
      "move " + P("pics/a.bmp") + " " + P("pics/c.bmp"),
      "trash " + P("pics/b.bmp"),
      "thumbnails --no-cache --out-dir " + P("thumbs") + " " + P("pics/c.bmp"),
      "convert " + P("pics") + " --to png --out " + P("batch"),
  };
  for (const std::string& c : commands) {
    const TRun r = Run(c);
    EXPECT_EQ(r.Status, 0) << c << "\n" << r.Err;
    ASSERT_NE(r.Loaded.find("file="), std::string::npos) << "no loader log for " << c;
    EXPECT_FALSE(MapsQt(r)) << c;
  }
  EXPECT_TRUE(fs::exists(FDir / "out.png"));
  EXPECT_TRUE(fs::exists(FDir / "thumbs" / "c.png"));
}

TEST_F(CliModuleTest, MetafilesLoadTheModuleAndDraw) {
  for (const std::string source : {"red.wmf", "red.emf"}) {
    const TRun r = Run("convert " + P(source) + " " + P("drawn.bmp"));
    ASSERT_EQ(r.Status, 0) << source << "\n" << r.Err;
    EXPECT_NE(r.Loaded.find("lumivex-cli-qt.so"), std::string::npos) << source;
    EXPECT_NE(r.Loaded.find("libQt6Gui"), std::string::npos) << source;
    TPixelGraphic drawn;
    LoadFromFile(drawn, (FDir / "drawn.bmp").string());
    ASSERT_FALSE(drawn.Empty());
    EXPECT_EQ(drawn.BitCount(), source == "red.wmf" ? 24 : 4) << source;
    EXPECT_TRUE(IsRed(drawn.PixelColor(20, 20))) << source;
    fs::remove(FDir / "drawn.bmp");
  }
}

TEST_F(CliModuleTest, AMissingModuleIsAClearErrorAndPlainCommandsStillWork) {
  // The program alone, in a folder without its module.
  fs::create_directories(FDir / "alone");
  const fs::path program = FDir / "alone" / "lumivex-cli";
  fs::copy_file(LUMIVEX_CLI, program);
  const TRun wmf = Run("convert " + Quote(FWMF) + " " + P("drawn.bmp"), program.string());
  EXPECT_EQ(wmf.Status, 1);
  EXPECT_NE(wmf.Err.find("WMF: the Qt module lumivex-cli-qt.so of lumivex-cli"), std::string::npos)
      << wmf.Err;
  EXPECT_NE(wmf.Err.find("could not be loaded: not found (looked for " + (FDir / "alone").string()),
            std::string::npos)
      << wmf.Err;
  EXPECT_FALSE(fs::exists(FDir / "drawn.bmp"));
  fs::create_directories(FDir / "pics");
  const TRun listing = Run("listing " + P("alone") + " --pdf " + P("list.pdf"), program.string());
  EXPECT_EQ(listing.Status, 1);
  EXPECT_NE(listing.Err.find("lumivex-cli listing: the Qt module lumivex-cli-qt.so"),
            std::string::npos)
      << listing.Err;
  EXPECT_FALSE(fs::exists(FDir / "list.pdf"));
  const TRun plain =
      Run("convert " + Quote(kData + "/bmp/nb_pal8.bmp") + " " + P("out.png"), program.string());
  EXPECT_EQ(plain.Status, 0) << plain.Err;
  EXPECT_TRUE(fs::exists(FDir / "out.png"));
}

TEST_F(CliModuleTest, UsageErrorsOfModuleCommandsShowTheHelp) {
  const TRun r = Run("listing " + P("data"));
  EXPECT_EQ(r.Status, 2);
  EXPECT_NE(r.Err.find("lumivex-cli listing: needs --pdf OUT.pdf"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("usage: lumivex-cli listing"), std::string::npos) << r.Err;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  InitFormatLibrary();
  return RUN_ALL_TESTS();
}
