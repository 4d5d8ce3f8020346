// Whole-process tests of lumivex-cli: exit statuses, messages and files left behind.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "imaging/formats/ExtraReaders.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace {

namespace fs = std::filesystem;

struct TRun {
  int Status = -1;
  std::string Out;
  std::string Err;
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

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    FDir = fs::temp_directory_path() /
           ("lumivex-cli-test-" + std::to_string(getpid()) + "-" + test);
    fs::create_directories(FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }

  TRun Run(const std::string& args) {
    const std::string out = (FDir / "stdout").string();
    const std::string err = (FDir / "stderr").string();
    const std::string command =
        Quote(LUMIVEX_CLI) + " " + args + " >" + Quote(out) + " 2>" + Quote(err);
    const int raw = std::system(command.c_str());
    TRun run;
    run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    run.Out = Slurp(out);
    run.Err = Slurp(err);
    fs::remove(out);
    fs::remove(err);
    return run;
  }
  std::string P(const std::string& name) const { return Quote((FDir / name).string()); }
  void Write(const std::string& name, const std::string& contents) const {
    std::ofstream(FDir / name, std::ios::binary) << contents;
  }
  fs::path FDir;
};

const std::string kData = LUMIVEX_FORMATS_TEST_DATA;

TEST_F(CliTest, InfoPrintsOneLinePerField) {
  const TRun r = Run("info " + Quote(kData + "/bmp/nb_pal8.bmp"));
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out,
            "Format: Bitmap\nImages: 1\nBitsPerPixel: 8\nColors: 256\nWidth: 5\nHeight: 3\n"
            "Description: \nVersion: Windows, RGB\n");
  Write("junk.bin", "not a picture");
  const TRun bad = Run("info " + P("junk.bin"));
  EXPECT_EQ(bad.Status, 1);
  EXPECT_NE(bad.Err.find("not a recognised picture file"), std::string::npos);
  EXPECT_EQ(Run("info " + Quote(kData + "/bmp/nb_pal8.bmp") + " --index 1").Status, 1);
}

// Pages of multi-image TIFF files, through our reader (im_three.tif) and through libtiff
// (LZW pages), described and converted by index once every image is counted.
TEST_F(CliTest, TIFFPagesByIndex) {
  const std::string all = " --set TIFFReadAllImages=true ";
  for (const auto& [name, pages] : {std::pair{"im_three.tif", 3}, std::pair{"lt_two_pages_lzw.tif", 2}}) {
    SCOPED_TRACE(name);
    const std::string file = Quote(kData + "/tiff/" + name);
    const TRun single = Run("info --index 1 " + file);
    EXPECT_EQ(single.Status, 1);
    EXPECT_NE(single.Err.find("no image 1 (the file holds 1)"), std::string::npos) << single.Err;
    const TRun info = Run("info --index " + std::to_string(pages - 1) + all + file);
    ASSERT_EQ(info.Status, 0) << info.Err;
    EXPECT_NE(info.Out.find("Images: " + std::to_string(pages) + "\n"), std::string::npos) << info.Out;
    const TRun beyond = Run("info --index " + std::to_string(pages) + all + file);
    EXPECT_NE(beyond.Err.find("no image " + std::to_string(pages) + " (the file holds " +
                              std::to_string(pages) + ")"),
              std::string::npos)
        << beyond.Err;
    const TRun convert = Run("convert --index 1" + all + file + " " + P("page.ppm"));
    ASSERT_EQ(convert.Status, 0) << convert.Err;
    TPixelGraphic page, reference;
    LoadFromFile(page, (FDir / "page.ppm").string());
    LoadFromFile(reference, kData + "/tiff/" + name + ".1.ppm");
    ASSERT_EQ(page.Width(), reference.Width());
    ASSERT_EQ(page.Height(), reference.Height());
    for (int y = 0; y < page.Height(); ++y)
      for (int x = 0; x < page.Width(); ++x)
        ASSERT_EQ(page.PixelColor(x, y), reference.PixelColor(x, y)) << x << "," << y;
  }
  EXPECT_EQ(Run("info --set Bogus=1 " + Quote(kData + "/tiff/im_three.tif")).Status, 2);
}

TEST_F(CliTest, ConvertRoundTripsAndAppliesSettings) {
  const TRun r = Run("convert --set PXMWriteBinary=true " + Quote(kData + "/bmp/nb_rgb24.bmp") +
                     " " + P("out.ppm"));
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  EXPECT_EQ(Slurp(FDir / "out.ppm"), Slurp(kData + "/pnm/raw.ppm"));

  ASSERT_EQ(Run("convert " + P("out.ppm") + " " + P("out.tga")).Status, 0);
  ASSERT_EQ(Run("convert --set=PXMWriteBinary=false " + P("out.tga") + " " + P("plain.ppm")).Status,
            0);
  EXPECT_EQ(Slurp(FDir / "plain.ppm"),
            "P3\n5 3\n255\n"
            "255 0 0 0 255 0 0 0 255 255 255 255 0 0 0\n"
            "10 20 30 40 50 60 70 80 90 100 110 120 130 140 150\n"
            "255 255 0 0 255 255 255 0 255 128 128 128 1 2 3\n");
}

TEST_F(CliTest, InfoAndConvertCoverJPEGPNGAndTIFF) {
  const TRun jpg = Run("info " + Quote(kData + "/jpeg/im_rgb.jpg"));
  EXPECT_EQ(jpg.Status, 0);
  EXPECT_EQ(jpg.Out,
            "Format: JPEG (JFIF compliant)\nImages: 1\nBitsPerPixel: 24\nColors: 16.7M\nWidth: 40\n"
            "Height: 24\nDescription: \nVersion: JFIF, YCbCr\n");
  const TRun tif = Run("info " + Quote(kData + "/tiff/im_rgb_MM_packbits.tif"));
  EXPECT_NE(tif.Out.find("Version: M, PackBits, RGB\n"), std::string::npos);
  const TRun png = Run("info " + Quote(kData + "/png/lx_gray2_trns_bkgd.png"));
  EXPECT_NE(png.Out.find("Description: (trns, bkgd)\n"), std::string::npos);

  // bmp -> png -> PackBits tif -> ppm keeps every pixel.
  const std::string in = Quote(kData + "/bmp/nb_rgb24.bmp");
  ASSERT_EQ(Run("convert " + in + " " + P("a.png")).Status, 0);
  ASSERT_EQ(Run("convert --set TIFFWriteCompression=32773 --set TIFFWriteMotorola=true " +
                P("a.png") + " " + P("b.tif")).Status, 0);
  ASSERT_EQ(Run("convert --set PXMWriteBinary=true --set GammaCorrectionOnRead=false " +
                P("b.tif") + " " + P("c.ppm")).Status, 0);
  EXPECT_EQ(Slurp(FDir / "c.ppm"), Slurp(kData + "/pnm/raw.ppm"));
  const TRun j = Run("convert --set JPEGWriteProgressive=true " + in + " " + P("d.jpg"));
  ASSERT_EQ(j.Status, 0) << j.Err;
  EXPECT_NE(Run("info " + P("d.jpg")).Out.find("Version: JFIF, YCbCr, Progressive\n"),
            std::string::npos);

  const TRun cmyk = Run("convert " + Quote(kData + "/jpeg/im_cmyk.jpg") + " " + P("e.png"));
  EXPECT_EQ(cmyk.Status, 0) << cmyk.Err;
  EXPECT_TRUE(fs::exists(FDir / "e.png"));
  const TRun broken = Run("convert " + Quote(kData + "/pnm/raw.pgm") + "x " + P("f.png"));
  EXPECT_EQ(broken.Status, 1);
  EXPECT_FALSE(fs::exists(FDir / "f.png"));
}

TEST_F(CliTest, ColourResolutionWarningFollowsTheWarnOption) {
  const std::string in = Quote(kData + "/bmp/nb_rgb24.bmp");
  const TRun ok = Run("convert " + in + " " + P("ok.pbm"));
  EXPECT_EQ(ok.Status, 0);
  EXPECT_EQ(ok.Err,
            "lumivex-cli: Warning: The graphic cannot be saved to a Portable Bitmap file with the "
            "current color resolution (16.7 million colors). The graphic will be saved with a "
            "different color resolution (black and white).\n");
  EXPECT_TRUE(fs::exists(FDir / "ok.pbm"));

  const TRun quiet = Run("convert --warn ignore " + in + " " + P("quiet.pbm"));
  EXPECT_EQ(quiet.Status, 0);
  EXPECT_EQ(quiet.Err, "");

  const TRun refused = Run("convert --warn raise " + in + " " + P("refused.pbm"));
  EXPECT_EQ(refused.Status, 1);
  EXPECT_NE(refused.Err.find("cannot be saved"), std::string::npos);
  EXPECT_FALSE(fs::exists(FDir / "refused.pbm"));
}

TEST_F(CliTest, ReaderWarningsFollowTheWarnOption) {
  // A bitmap whose pixel data ends early: 2 x 2 pixels of 24 bits need 16 bytes, 3 are there.
  std::string cut = std::string("BM") + std::string(12, '\0');
  const unsigned char info[40] = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24};
  cut.append(reinterpret_cast<const char*>(info), sizeof info);
  cut += "\x09\x09\x09";
  Write("cut.bmp", cut);
  const TRun shown = Run("convert " + P("cut.bmp") + " " + P("shown.ppm"));
  EXPECT_EQ(shown.Status, 0);
  EXPECT_EQ(shown.Err, "lumivex-cli: BMP Warning: BMP: Unexpected end of file\n");
  EXPECT_TRUE(fs::exists(FDir / "shown.ppm"));

  const TRun quiet = Run("convert --warn ignore " + P("cut.bmp") + " " + P("quiet.ppm"));
  EXPECT_EQ(quiet.Status, 0);
  EXPECT_EQ(quiet.Err, "");

  const TRun refused = Run("convert --warn raise " + P("cut.bmp") + " " + P("refused.ppm"));
  EXPECT_EQ(refused.Status, 1);
  EXPECT_EQ(refused.Err, "lumivex-cli: BMP: Unexpected end of file\n");
  EXPECT_FALSE(fs::exists(FDir / "refused.ppm"));

  // An intact file passes with raise.
  const TRun intact =
      Run("convert --warn raise " + Quote(kData + "/bmp/nb_rgb24.bmp") + " " + P("intact.bmp"));
  EXPECT_EQ(intact.Status, 0) << intact.Err;
}

TEST_F(CliTest, FailuresLeaveNoOutputAndKeepExistingFiles) {
  Write("broken.bmp", std::string("BM") + std::string(12, '\0') + "\x64" + std::string(40, '\0'));
  const TRun r = Run("convert " + P("broken.bmp") + " " + P("new.ppm"));
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "lumivex-cli: BMP: Invalid size of BitmapInfoHeader/BitmapCoreHeader\n");
  EXPECT_FALSE(fs::exists(FDir / "new.ppm"));

  Write("old.xyz", "keep me");
  const TRun unknown = Run("convert " + Quote(kData + "/pnm/raw.ppm") + " " + P("old.xyz"));
  EXPECT_EQ(unknown.Status, 1);
  EXPECT_EQ(unknown.Err, "lumivex-cli: Unknown file extension \"xyz\"\n");
  EXPECT_EQ(Slurp(FDir / "old.xyz"), "keep me");

  const TRun missing = Run("convert " + P("missing.bmp") + " " + P("x.ppm"));
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find("missing.bmp"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(FDir), {}), 2);
}

TEST_F(CliTest, GIFOutputIsReducedAndReadsBack) {
  const std::string in = Quote(kData + "/pnm/raw.ppm");
  const TRun r = Run("convert --interlaced --transparent 0,0,0 " + in + " " + P("out.gif"));
  ASSERT_EQ(r.Status, 0) << r.Err;
  const std::string gif = Slurp(FDir / "out.gif");
  ASSERT_GT(gif.size(), 20u);
  EXPECT_EQ(gif.substr(0, 6), "GIF89a");
  const TRun info = Run("info " + P("out.gif"));
  EXPECT_NE(info.Out.find("Description: Interlaced"), std::string::npos) << info.Out;
  EXPECT_EQ(Run("convert --transparent 1,2 " + in + " " + P("bad.gif")).Status, 2);
  EXPECT_EQ(Run("convert --transparent 300,0,0 " + in + " " + P("bad.gif")).Status, 2);
}

// The transparent index of a GIF's graphic control extension; -1 without transparency.
int TransparentIndex(const std::string& gif) {
  const std::size_t at = gif.find(std::string("\x21\xF9\x04", 3));
  if (at == std::string::npos || !(gif[at + 3] & 1)) return -1;
  return static_cast<unsigned char>(gif[at + 6]);
}

// A white picture with a patch of colours, some of them nearly white: exactly the white
// pixels become transparent, whatever the reduction to 252 colours does with white.
TEST_F(CliTest, GIFTransparencyMatchesTheColourBeforeTheReduction) {
  InitFormatLibrary();
  RegisterGIFAndIconReaders();
  const int w = 24, h = 16;
  std::string ppm = "P6\n24 16\n255\n";
  auto inPatch = [](int x, int y) { return x >= 6 && x < 18 && y >= 4 && y < 12; };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char rgb[3] = {255, 255, 255};
      if (inPatch(x, y)) {
        const int k = (x * 7 + y * 13) % 4;
        const unsigned char patch[4][3] = {{252, 254, 252}, {250, 250, 250}, {200, 30, 40}, {20, 90, 220}};
        std::copy(patch[k], patch[k] + 3, rgb);
      }
      ppm.append(reinterpret_cast<const char*>(rgb), 3);
    }
  Write("white.ppm", ppm);
  const TRun r = Run("convert --transparent 255,255,255 " + P("white.ppm") + " " + P("t.gif"));
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  const int key = TransparentIndex(Slurp(FDir / "t.gif"));
  ASSERT_GE(key, 0) << "no transparent colour was written";
  TPixelGraphic back;
  LoadFromFile(back, (FDir / "t.gif").string());
  ASSERT_TRUE(back.PixelFormat() == pf8Bit || back.PixelFormat() == pf4Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      ASSERT_EQ(static_cast<int>(back.Pixel(x, y)) == key, !inPatch(x, y)) << x << "," << y;
  EXPECT_EQ(back.PaletteColor(key), RGBColor(255, 255, 255));

  // A colour the picture does not hold is reported; the GIF is written without one.
  const TRun absent = Run("convert --transparent 1,2,3 " + P("white.ppm") + " " + P("n.gif"));
  EXPECT_EQ(absent.Status, 0);
  EXPECT_NE(absent.Err.find("the colour 1,2,3 does not occur"), std::string::npos) << absent.Err;
  EXPECT_EQ(TransparentIndex(Slurp(FDir / "n.gif")), -1);
}

TEST_F(CliTest, MetafilesThePlayerCannotLoadLeaveNothingToSave) {
  // The header check sees an enhanced metafile header record; the signature is missing.
  Write("fake.emf", std::string("\x01\0\0\0\x6c\0\0\0", 8) + std::string(120, 'x'));
  const TRun r = Run("convert " + P("fake.emf") + " " + P("fake.png"));
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("no picture could be read"), std::string::npos) << r.Err;
  EXPECT_FALSE(fs::exists(FDir / "fake.png"));
}

TEST_F(CliTest, UsageErrorsExitWithStatusTwo) {
  const std::string in = Quote(kData + "/pnm/raw.ppm");
  EXPECT_EQ(Run("").Status, 2);
  EXPECT_EQ(Run("frobnicate").Status, 2);
  EXPECT_EQ(Run("convert " + in).Status, 2);
  const TRun badSet = Run("convert --set NoSuch=1 " + in + " " + P("a.bmp"));
  EXPECT_EQ(badSet.Status, 2);
  EXPECT_NE(badSet.Err.find("NoSuch"), std::string::npos);
  EXPECT_EQ(Run("convert --set JPEGWriteQuality=900 " + in + " " + P("a.bmp")).Status, 2);
  EXPECT_EQ(Run("convert --set GammaCorrectionOnRead " + in + " " + P("a.bmp")).Status, 2);
  EXPECT_EQ(Run("convert --warn maybe " + in + " " + P("a.bmp")).Status, 2);
  EXPECT_EQ(Run("convert --index -1 " + in + " " + P("a.bmp")).Status, 2);
  EXPECT_EQ(Run("info --bogus " + in).Status, 2);
  EXPECT_FALSE(fs::exists(FDir / "a.bmp"));
}

TEST_F(CliTest, HelpAndFormats) {
  for (const char* cmd : {"--help", "info --help", "convert --help", "formats --help"}) {
    const TRun r = Run(cmd);
    EXPECT_EQ(r.Status, 0) << cmd;
    EXPECT_NE(r.Out.find("usage: lumivex-cli"), std::string::npos) << cmd;
  }
  const TRun f = Run("formats");
  EXPECT_EQ(f.Status, 0);
  EXPECT_NE(f.Out.find("tga   Truevision Targa          recognised by extension only"),
            std::string::npos);
  EXPECT_NE(f.Out.find("pbm   Portable Bitmap           black and white\n"), std::string::npos);
  EXPECT_NE(f.Out.find("GammaCorrectionOnRead=true"), std::string::npos);
}

}  // namespace

namespace {

std::string PdfToText(const fs::path& pdf) {
  const fs::path text = pdf.string() + ".txt";
  const std::string command = "pdftotext -layout " + Quote(pdf.string()) + " " + Quote(text.string());
  if (std::system(command.c_str()) != 0) return "<pdftotext failed>";
  return Slurp(text);
}

TEST_F(CliTest, ListingPrintsTheFolderToPdf) {
  // The saved page-setup defaults of this test's own (empty) settings apply.
  setenv("XDG_CONFIG_HOME", (FDir / "config").c_str(), 1);
  fs::create_directories(FDir / "pics");
  const std::pair<const char*, std::size_t> files[] = {
      {"d.jpg", 1048576}, {"a.jpg", 0}, {"c.JPG", 1024}, {"b.jpg", 1023}, {"notes.txt", 5}};
  for (const auto& [name, size] : files)
    std::ofstream(FDir / "pics" / name, std::ios::binary) << std::string(size, 'x');
  const TRun r = Run("listing " + P("pics") + " --pdf " + P("out.pdf") + " --mask '*.jpg'");
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "4 files, 1 pages: " + (FDir / "out.pdf").string() + "\n");
  const std::string text = PdfToText(FDir / "out.pdf");
  std::size_t at = 0;
  for (const char* line : {"pics", "a.jpg (1K)", "b.jpg (1K)", "c.JPG (2K)", "d.jpg (1025K)",
                           "Lumivex Directory Report", "Page 1"}) {
    const std::size_t found = text.find(line, at);
    EXPECT_NE(found, std::string::npos) << line << " in\n" << text;
    if (found != std::string::npos) at = found;
  }
  EXPECT_EQ(text.find("notes.txt"), std::string::npos);
  // Every file by default; A4 landscape pages.
  ASSERT_EQ(Run("listing " + P("pics") + " --pdf " + P("all.pdf") +
                " --paper a4 --orientation landscape").Status, 0);
  EXPECT_NE(PdfToText(FDir / "all.pdf").find("notes.txt (1K)"), std::string::npos);
  unsetenv("XDG_CONFIG_HOME");
}

TEST_F(CliTest, ListingFailuresAreReportedAndLeaveNoFile) {
  setenv("XDG_CONFIG_HOME", (FDir / "config").c_str(), 1);
  fs::create_directories(FDir / "empty");
  const TRun empty = Run("listing " + P("empty") + " --pdf " + P("out.pdf"));
  EXPECT_EQ(empty.Status, 1);
  EXPECT_NE(empty.Err.find("nothing to print"), std::string::npos) << empty.Err;
  const TRun missing = Run("listing " + P("absent") + " --pdf " + P("out.pdf"));
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find("cannot read the folder"), std::string::npos) << missing.Err;
  EXPECT_FALSE(fs::exists(FDir / "out.pdf"));
  EXPECT_EQ(Run("listing " + P("empty")).Status, 2);
  EXPECT_EQ(Run("listing " + P("empty") + " --pdf x.pdf --paper tabloid").Status, 2);
  EXPECT_EQ(Run("listing " + P("empty") + " --pdf x.pdf --orientation sideways").Status, 2);
  Write("empty/a.jpg", "x");
  const TRun unwritable = Run("listing " + P("empty") + " --pdf " + P("no/such/out.pdf"));
  EXPECT_EQ(unwritable.Status, 1);
  EXPECT_NE(unwritable.Err.find("Cannot write the file"), std::string::npos) << unwritable.Err;
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace

TEST_F(CliTest, SearchMoveAndTrash) {
  fs::create_directories(FDir / "pics/deep");
  Write("pics/a.JPG", "a");
  Write("pics/deep/b.jpg", "bb");
  Write("pics/deep/c.png", "c");
  fs::create_directory_symlink(FDir / "pics", FDir / "pics/deep/loop");
  const TRun found = Run("search '*.jpg' " + P("pics"));
  EXPECT_EQ(found.Status, 0);
  EXPECT_EQ(found.Err, "2 files found\n");
  EXPECT_NE(found.Out.find((FDir / "pics/a.JPG").string() + "\n"), std::string::npos);
  EXPECT_NE(found.Out.find((FDir / "pics/deep/b.jpg").string() + "\n"), std::string::npos);
  EXPECT_EQ(Run("search").Status, 2);

  // Never over an existing file.
  const TRun refused = Run("move " + P("pics/a.JPG") + " " + P("pics/deep/b.jpg"));
  EXPECT_EQ(refused.Status, 1);
  EXPECT_NE(refused.Err.find("Cannot move file"), std::string::npos) << refused.Err;
  EXPECT_EQ(Slurp(FDir / "pics/a.JPG"), "a");
  EXPECT_EQ(Slurp(FDir / "pics/deep/b.jpg"), "bb");
  EXPECT_EQ(Run("move " + P("pics/a.JPG") + " " + P("moved.jpg")).Status, 0);
  EXPECT_EQ(Slurp(FDir / "moved.jpg"), "a");
  EXPECT_FALSE(fs::exists(FDir / "pics/a.JPG"));

  const std::string data = (FDir / "data").string();
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  const TRun t = Run("trash " + P("pics/deep/c.png") + " " + P("nothing.jpg"));
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(t.Status, 1);
  EXPECT_NE(t.Err.find("nothing.jpg"), std::string::npos);
  EXPECT_EQ(Slurp(FDir / "data/Trash/files/c.png"), "c");
  EXPECT_TRUE(fs::exists(FDir / "data/Trash/info/c.png.trashinfo"));
}

namespace {

TEST_F(CliTest, SortMovesAroundExistingFilesAndAssociateWritesTheEntry) {
  fs::create_directories(FDir / "from");
  fs::create_directories(FDir / "to");
  Write("from/a.jpg", "first");
  Write("from/b.jpg", "second");
  Write("to/b.jpg", "kept");
  const TRun r = Run("sort move " + P("from") + " " + P("to") + " a.jpg b.jpg");
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Out, (FDir / "to/a.jpg").string() + "\n");
  EXPECT_NE(r.Err.find("already exists. Select another directory before moving"), std::string::npos);
  EXPECT_EQ(Slurp(FDir / "to/a.jpg"), "first");
  EXPECT_EQ(Slurp(FDir / "to/b.jpg"), "kept");
  EXPECT_FALSE(fs::exists(FDir / "from/a.jpg"));
  EXPECT_EQ(Run("sort shuffle " + P("from") + " " + P("to") + " b.jpg").Status, 2);

  const std::string env = "XDG_DATA_HOME=" + P("data") + " XDG_CONFIG_HOME=" + P("config") + " ";
  ASSERT_EQ(std::system((env + Quote(LUMIVEX_CLI) + " associate --program /opt/lumi/lumivex --types PNG,GIF >/dev/null").c_str()), 0);
  EXPECT_NE(Slurp(FDir / "data/applications/lumivex.desktop").find("MimeType=image/gif;image/png;\n"),
            std::string::npos);
  EXPECT_NE(Slurp(FDir / "config/mimeapps.list").find("image/png=lumivex.desktop;"), std::string::npos);
  EXPECT_EQ(Run("associate --program /x --types PNG,XYZ").Status, 2);
}

}  // namespace

namespace {

TEST_F(CliTest, WallpaperOnAnUnknownDesktopAndOnGnomeInAPrivateSession) {
  const std::string picture = Quote(LUMIVEX_FORMATS_TEST_DATA "/bmp/nb_rgb24.bmp");
  EXPECT_EQ(Run("wallpaper sideways " + picture).Status, 2);
  EXPECT_EQ(Run("wallpaper none " + picture).Status, 2);
  // No desktop named: a clear refusal, nothing pretended.
  const std::string env = "env -u XDG_CURRENT_DESKTOP XDG_DATA_HOME=" + P("data") + " ";
  ASSERT_NE(std::system((env + Quote(LUMIVEX_CLI) + " wallpaper tiled " + picture + " 2>" + P("err")).c_str()), 0);
  EXPECT_NE(Slurp(FDir / "err").find("not supported on this desktop"), std::string::npos);
  if (std::system("command -v dbus-run-session >/dev/null && gsettings list-schemas 2>/dev/null | "
                  "grep -qx org.gnome.desktop.background") != 0)
    GTEST_SKIP() << "no D-Bus session tools or GNOME schemas";
  // A JPEG becomes a BMP in the data folder, and gsettings of a private session takes it.
  fs::create_directories(FDir / "config");
  const std::string session =
      "XDG_DATA_HOME=" + P("data") + " XDG_CONFIG_HOME=" + P("config") +
      " XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=dconf dbus-run-session -- sh -c " +
      Quote(Quote(LUMIVEX_CLI) + " wallpaper centered " + Quote(LUMIVEX_FORMATS_TEST_DATA "/jpeg/im_rgb.jpg") +
            " && gsettings get org.gnome.desktop.background picture-uri"
            " && gsettings get org.gnome.desktop.background picture-options") +
      " >" + P("out") + " 2>/dev/null";
  ASSERT_EQ(std::system(session.c_str()), 0);
  const std::string bmp = (FDir / "data/Corvane/Lumivex/wallpaper/im_rgb.bmp").string();
  EXPECT_EQ(Slurp(FDir / "out"), bmp + "\n'file://" + bmp + "'\n'centered'\n");
}

}  // namespace
