// lumivex-cli edit as whole processes: the commands in order, and usage errors that write
// nothing.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"
#include "tests/editor/EditorTestUtil.h"

namespace {

namespace fs = std::filesystem;

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

struct EditCli : testing::Test {
  fs::path dir;
  void SetUp() override {
    InitFormatLibrary();
    dir = fs::temp_directory_path() / ("lumivex-edit-cli-" + std::to_string(getpid()));
    fs::create_directories(dir);
    SaveToFile(*PositionPicture(60, 40), Path("in.bmp"));
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  int Run(const std::string& args) {
    const std::string command = Quote(LUMIVEX_CLI) + " edit " + args + " " + Quote(Path("in.bmp")) +
                                " " + Quote(Path("out.bmp")) + " 2>/dev/null";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
};

TEST_F(EditCli, CommandsRunInTheOrderGiven) {
  ASSERT_EQ(Run("--crop 5,6,20,10 --rotate 90 --flip h"), 0);
  TPixelGraphic out;
  LoadFromFile(out, Path("out.bmp"));
  EXPECT_EQ(out.Width(), 10);
  EXPECT_EQ(out.Height(), 20);
  // After the turn the crop's bottom-left corner is at the top-left; the flip sends it right.
  const auto source = PositionPicture(60, 40);
  EXPECT_EQ(out.Pixel(9, 0), source->Pixel(5, 15));
  ASSERT_EQ(Run("--colors gray16 --resize 30x20"), 0);
  LoadFromFile(out, Path("out.bmp"));
  EXPECT_EQ(out.Width(), 30);
  EXPECT_EQ(out.PixelFormat(), pf24Bit);
}

TEST_F(EditCli, BadOptionsAndAnAreaOutsideWriteNothing) {
  for (const char* bad : {"--crop 1,2,3", "--rotate x", "--flip d", "--resize 0x4",
                          "--resize 100000x100000", "--border 3,300,0,0", "--colors wat", ""}) {
    EXPECT_EQ(Run(bad), 2) << bad;
    EXPECT_FALSE(fs::exists(Path("out.bmp"))) << bad;
  }
  EXPECT_EQ(Run("--crop 100,0,5,5"), 1);
  EXPECT_FALSE(fs::exists(Path("out.bmp")));
}

}  // namespace
