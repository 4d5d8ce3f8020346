#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "convert/core/ConvertFile.h"
#include "imaging/formats/ExtraReaders.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A photo-like picture: smooth gradients of many colours.
void Photo(int w, int h, TPixelGraphic& image) {
  image.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.SetPixelColor(x, y, RGBColor((x * 255) / w, (y * 255) / h, ((x + y) * 97) % 256));
}

// Writes some bytes and then fails, as a writer does on a full disk.
class TFailingWriter : public TFileFormatWriter {
 public:
  TFailingWriter() : TFileFormatWriter("zzf", "failing", false, crAll) {}
  std::string ClassName() const override { return "TFailingWriter"; }
  void WriteToStream(TPGStream& stream, TPixelGraphic&, const TPGFormatContext&) const override {
    stream.Write("partial", 7);
    throw EPixelGraphic("ZZF: the disk is full");
  }
};

class ConvertFileTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitFormatLibrary();
    RegisterGIFAndIconReaders();
    auto lock = LockFormatRegistry();
    FileFormatWriters().push_back(std::make_unique<TFailingWriter>());
  }
  void SetUp() override {
    FDir = fs::temp_directory_path() / ("lumivex-convert-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(FDir);
    TPixelGraphic photo;
    Photo(64, 48, photo);
    SaveToFile(photo, P("photo.bmp"));
  }
  void TearDown() override { fs::remove_all(FDir); }
  std::string P(const std::string& name) const { return (FDir / name).string(); }
  fs::path FDir;
};

}  // namespace

TEST_F(ConvertFileTest, LosslessFormatsReadBackEqual) {
  TPixelGraphic source;
  LoadFromFile(source, P("photo.bmp"));
  for (const char* ext : {"bmp", "png", "tif", "tga"}) {
    const std::string out = P(std::string("out.") + ext);
    ConvertFile(P("photo.bmp"), out, {}, CaptureFormatContext());
    TPixelGraphic back;
    LoadFromFile(back, out);
    ASSERT_EQ(back.Width(), 64) << ext;
    ASSERT_EQ(back.Height(), 48) << ext;
    int differences = 0;
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) differences += back.PixelColor(x, y) != source.PixelColor(x, y);
    EXPECT_EQ(differences, 0) << ext;
  }
}

TEST_F(ConvertFileTest, JPEGQualityAndResizeModeApply) {
  TConversion low;
  low.JPEGQuality = 10;
  TConversion high;
  high.JPEGQuality = 100;
  ConvertFile(P("photo.bmp"), P("low.jpg"), low, CaptureFormatContext());
  ConvertFile(P("photo.bmp"), P("high.jpg"), high, CaptureFormatContext());
  EXPECT_LT(fs::file_size(P("low.jpg")), fs::file_size(P("high.jpg")));
  TPixelGraphic source, back;
  LoadFromFile(source, P("photo.bmp"));
  LoadFromFile(back, P("high.jpg"));
  int worst = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      worst = std::max(worst, std::abs(GreenOf(back.PixelColor(x, y)) -
                                       GreenOf(source.PixelColor(x, y))));
  EXPECT_LE(worst, 16);

  TConversion fit;
  fit.Resize = true;
  fit.FitWidth = 32;
  fit.FitHeight = 32;
  fit.Sharpen = true;
  ConvertFile(P("photo.bmp"), P("small.png"), fit, CaptureFormatContext());
  TPixelGraphic small;
  LoadFromFile(small, P("small.png"));
  EXPECT_EQ(small.Width(), 32);
  EXPECT_EQ(small.Height(), 24);
}

TEST_F(ConvertFileTest, AFailingWriterOrReaderLeavesTheOldFile) {
  std::ofstream(P("old.zzf"), std::ios::binary) << "old contents";
  EXPECT_THROW(ConvertFile(P("photo.bmp"), P("old.zzf"), {}, CaptureFormatContext()),
               EPixelGraphic);
  EXPECT_EQ(Slurp(P("old.zzf")), "old contents");
  EXPECT_THROW(ConvertFile(P("photo.bmp"), P("new.zzf"), {}, CaptureFormatContext()),
               EPixelGraphic);
  EXPECT_FALSE(fs::exists(P("new.zzf")));

  std::ofstream(P("damaged.bmp"), std::ios::binary) << "BM not really a bitmap";
  std::ofstream(P("old.png"), std::ios::binary) << "old png";
  EXPECT_ANY_THROW(ConvertFile(P("damaged.bmp"), P("old.png"), {}, CaptureFormatContext()));
  EXPECT_EQ(Slurp(P("old.png")), "old png");
  // Nothing but the files made here is left behind: no temporary files.
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(FDir)) names.insert(e.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"photo.bmp", "old.zzf", "damaged.bmp", "old.png"}));
}

TEST_F(ConvertFileTest, ConvertingOntoTheSourceReplacesIt) {
  TConversion fit;
  fit.Resize = true;
  fit.FitWidth = 16;
  fit.FitHeight = 16;
  ConvertFile(P("photo.bmp"), P("photo.bmp"), fit, CaptureFormatContext());
  TPixelGraphic back;
  LoadFromFile(back, P("photo.bmp"));
  EXPECT_EQ(back.Width(), 16);
  EXPECT_EQ(back.Height(), 12);
}

namespace {

// The transparent flag of a GIF's graphic control extension; -1 without one.
int TransparentFlag(const std::string& gif) {
  const std::size_t at = gif.find(std::string("\x21\xF9\x04", 3));
  if (at == std::string::npos) return -1;
  return gif[at + 3] & 1;
}

}  // namespace

TEST_F(ConvertFileTest, GIFFromAPhotoHasAtMost252ColoursAndTransparencyOnlyWhenAsked) {
  ConvertFile(P("photo.bmp"), P("plain.gif"), {}, CaptureFormatContext());
  TPixelGraphic back;
  LoadFromFile(back, P("plain.gif"));
  EXPECT_EQ(back.Width(), 64);
  EXPECT_LE(back.PaletteCount(), 256);
  std::set<TRGB> colours;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) colours.insert(back.PixelColor(x, y));
  EXPECT_LE(colours.size(), 252u);
  EXPECT_GT(colours.size(), 16u);
  EXPECT_NE(TransparentFlag(Slurp(P("plain.gif"))), 1);

  TConversion transparent;
  transparent.GIF.Transparent = true;
  TPixelGraphic source;
  LoadFromFile(source, P("photo.bmp"));
  transparent.GIF.TransparentColor = source.PixelColor(0, 0);
  const TConversionResult found =
      ConvertFile(P("photo.bmp"), P("t.gif"), transparent, CaptureFormatContext());
  EXPECT_TRUE(found.TransparentColorFound);
  EXPECT_EQ(TransparentFlag(Slurp(P("t.gif"))), 1);

  transparent.GIF.TransparentColor = RGBColor(1, 2, 3);
  std::ofstream(P("kept.gif"), std::ios::binary) << "x";
  EXPECT_FALSE(ConvertFile(P("photo.bmp"), P("kept.gif"), transparent, CaptureFormatContext())
                   .TransparentColorFound);
  EXPECT_NE(TransparentFlag(Slurp(P("kept.gif"))), 1);
}

namespace {

// Largest and mean per-channel difference of two pictures of one size.
void Differences(const TPixelGraphic& a, const TPixelGraphic& b, int& worst, double& mean) {
  worst = 0;
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TRGB p = a.PixelColor(x, y), q = b.PixelColor(x, y);
      for (int d : {RedOf(p) - RedOf(q), GreenOf(p) - GreenOf(q), BlueOf(p) - BlueOf(q)}) {
        worst = std::max(worst, std::abs(d));
        sum += std::abs(d);
      }
    }
  mean = sum / (3.0 * a.Width() * a.Height());
}

}  // namespace

TEST_F(ConvertFileTest, ScaledJPEGDecodeForSmallFitsStaysCloseToTheFullDecode) {
  TPixelGraphic photo;
  photo.SetSize(1600, 1000, pf24Bit);
  for (int y = 0; y < 1000; ++y)
    for (int x = 0; x < 1600; ++x)
      photo.SetPixelColor(x, y, RGBColor(x * 255 / 1600, y * 255 / 1000, (x + y) * 255 / 2600));
  SaveToFile(photo, P("big.jpg"));
  TConversion fit;
  fit.Resize = true;
  fit.Sharpen = true;
  for (int box : {300, 700, 900}) {
    fit.FitWidth = fit.FitHeight = box;
    fit.ScaledJPEGDecode = false;
    ConvertFile(P("big.jpg"), P("full.bmp"), fit, CaptureFormatContext());
    fit.ScaledJPEGDecode = true;
    ConvertFile(P("big.jpg"), P("scaled.bmp"), fit, CaptureFormatContext());
    TPixelGraphic full, scaled;
    LoadFromFile(full, P("full.bmp"));
    LoadFromFile(scaled, P("scaled.bmp"));
    // The size comes from the picture's own size, whatever scale was decoded.
    ASSERT_EQ(scaled.Width(), box) << box;
    ASSERT_EQ(scaled.Height(), (box * 1000 + 800) / 1600) << box;
    ASSERT_EQ(full.Width(), scaled.Width());
    int worst = 0;
    double mean = 0;
    Differences(full, scaled, worst, mean);
    if (box > 800) {
      // More than half the picture: decoded at full size either way.
      EXPECT_EQ(worst, 0) << box;
    } else {
      EXPECT_LT(mean, 1.0) << box;
      EXPECT_LE(worst, 24) << box;
    }
  }
}
