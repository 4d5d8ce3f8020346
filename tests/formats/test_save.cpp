#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "tests/formats/FormatTestUtil.h"
#include "imaging/formats/BMPFormat.h"

namespace {

namespace fs = std::filesystem;

class SaveTest : public FormatTest {
 protected:
  void SetUp() override {
    FormatTest::SetUp();
    FDir = fs::temp_directory_path() / ("lumivex-save-test-" + std::to_string(getpid()));
    fs::create_directories(FDir);
  }
  void TearDown() override {
    fs::remove_all(FDir);
    FormatTest::TearDown();
  }
  std::string PathOf(const std::string& name) const { return (FDir / name).string(); }
  std::size_t EntriesInDir() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(FDir), {}));
  }
  fs::path FDir;
};

TEST_F(SaveTest, TrueColourToPbmConvertsOrRefusesByWarningAction) {
  TPixelGraphic image;
  FillPattern(image);
  image.SaveColorResWarningAction = pgwaIgnore;
  const TBytes pbm = SaveBytes(image, "pbm");
  TPixelGraphic back;
  LoadBytes(back, pbm);
  EXPECT_EQ(back.PixelFormat(), pf1Bit);
  EXPECT_EQ(back.PaletteIdent(), pBlackWhite);
  EXPECT_EQ(back.PixelColor(3, 0), RGBColor(255, 255, 255));
  EXPECT_EQ(back.PixelColor(4, 0), RGBColor(0, 0, 0));

  image.SaveColorResWarningAction = pgwaRaise;
  const std::string file = PathOf("refused.pbm");
  EXPECT_PG_ERROR(SaveToFile(image, file), EPGCannotWriteColorRes,
                  "The graphic cannot be saved with to a Portable Bitmap file with the current "
                  "color resolution (16.7 million colors)");
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(EntriesInDir(), 0u);
}

TEST_F(SaveTest, WarningBoxHookIsAskedAndCanRefuse) {
  TPixelGraphic image;
  FillPattern(image);
  std::string seen;
  bool offeredCancel = false;
  SetPGWarningBoxHook([&](const std::string& caption, const std::string& text, bool cancel) {
    seen = caption + "|" + text;
    offeredCancel = cancel;
    return false;
  });
  image.SaveColorResWarningAction = pgwaOKCancelBox;
  EXPECT_THROW(SaveBytes(image, "pgm"), EPGCannotWriteColorRes);
  EXPECT_TRUE(offeredCancel);
  EXPECT_NE(seen.find("Warning|"), std::string::npos);
  EXPECT_NE(seen.find("(256 shades of gray)"), std::string::npos);

  image.SaveColorResWarningAction = pgwaOKBox;  // OK only: the answer does not matter
  const TBytes pgm = SaveBytes(image, "pgm");
  EXPECT_EQ(std::string(pgm.begin(), pgm.begin() + 2), "P2");
  EXPECT_FALSE(offeredCancel);
}

TEST_F(SaveTest, RegistryErrorsCarryTheirMessages) {
  TPixelGraphic image;
  FillPattern(image);
  EXPECT_PG_ERROR(SaveBytes(image, "gif"), EPGUnknownExtension, "Unknown file extension \"gif\"");
  EXPECT_PG_ERROR(SaveBytes(image, ".PCX"), EPGUnknownExtension, "Unknown file extension \"pcx\"");
}

TEST_F(SaveTest, FailedSaveKeepsAnExistingFileAndRemovesANewOne) {
  const std::string existing = PathOf("keep.ppm");
  {
    std::FILE* f = std::fopen(existing.c_str(), "wb");
    std::fputs("old contents", f);
    std::fclose(f);
  }
  TPixelGraphic empty;  // 0 x 0: the anymap writer refuses it
  EXPECT_PG_ERROR(SaveToFile(empty, existing), EPGPxMFileFormatWriter,
                  "PBM, PGM, PPM: Width = 0 or Height = 0");
  const std::string old = "old contents";
  EXPECT_EQ(ReadFileBytes(existing), TBytes(old.begin(), old.end()));
  const std::string fresh = PathOf("new.ppm");
  EXPECT_THROW(SaveToFile(empty, fresh), EPGPxMFileFormatWriter);
  EXPECT_FALSE(fs::exists(fresh));
  EXPECT_EQ(EntriesInDir(), 1u);  // no temporary file left behind

  TPixelGraphic image;
  FillPattern(image);
  SaveToFile(image, existing);  // replaces the old file
  TPixelGraphic back;
  LoadFromFile(back, existing);
  ExpectPattern(back);
  EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(SaveTest, SavedFileKeepsThePermissionsOfTheFileItReplaces) {
  const std::string file = PathOf("mode.bmp");
  TPixelGraphic image;
  FillPattern(image);
  SaveToFile(image, file);
  chmod(file.c_str(), 0640);
  SaveToFile(image, file);
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(SaveTest, SaveToStreamAndWriteDataUseTheBmpForm) {
  TPixelGraphic image;
  FillPattern(image);
  TPGMemoryStream stream;
  stream.Write("xy", 2);
  WriteData(image, stream);
  stream.Write("tail", 4);
  const TBytes& data = stream.Data();
  const std::uint32_t length = GetLE32(data.data() + 2);
  EXPECT_EQ(length, 54u + 4 * 3 * 4);  // 5 pixels of 3 bytes padded to 16 per row
  EXPECT_EQ(data[6], 'B');
  EXPECT_EQ(data[7], 'M');

  stream.Seek(2);
  TPixelGraphic back;
  ReadData(back, stream);
  ExpectPattern(back);
  EXPECT_EQ(stream.Position(), 2 + 4 + static_cast<std::int64_t>(length));
}

TEST_F(SaveTest, GammaCorrectionOnReadFollowsTheImageGamma) {
  TPixelGraphic image;
  image.SetSize(1, 1, pf24Bit);
  image.SetPixel(0, 0, RGBColor(128, 0, 255));
  const TBytes bmp = SaveBytes(image, "bmp");

  // The BMP reader keeps Gamma at ScreenGamma: nothing changes.
  TPixelGraphic back;
  LoadBytes(back, bmp);
  EXPECT_EQ(back.Pixel(0, 0), RGBColor(128, 0, 255));

  // A file gamma of 2.2 against a screen gamma of 1.8: 128 becomes 110.
  back.Gamma = 2.2;
  ApplyReadGamma(back, CaptureFormatContext());
  EXPECT_EQ(back.Pixel(0, 0), RGBColor(110, 0, 255));
  EXPECT_DOUBLE_EQ(back.Gamma, ScreenGamma);

  // Within 5 % nothing happens; switched off nothing happens.
  back.Gamma = 1.85;
  ApplyReadGamma(back, CaptureFormatContext());
  EXPECT_EQ(back.Pixel(0, 0), RGBColor(110, 0, 255));
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.GammaCorrectionOnRead = false; });
  back.Gamma = 2.2;
  ApplyReadGamma(back, CaptureFormatContext());
  EXPECT_EQ(back.Pixel(0, 0), RGBColor(110, 0, 255));
}

TEST_F(SaveTest, EveryWritableClassRoundTripsThroughBmp) {
  struct TCase {
    TPixelFormat Format;
    TPaletteIdent Ident;
  };
  const TCase cases[] = {{pf1Bit, pBlackWhite}, {pf1Bit, pUnknown}, {pf4Bit, pGray16},
                         {pf4Bit, pSys16},       {pf4Bit, pUnknown}, {pf8Bit, pGray256},
                         {pf8Bit, pUnknown},     {pf24Bit, pTrueColor}};
  for (const TCase& c : cases) {
    TPixelGraphic image;
    image.SetSize(7, 3, c.Format);
    if (c.Ident == pUnknown) {
      image.SetPaletteCount(image.MaxPaletteCount());
      for (int i = 0; i < image.PaletteCount(); ++i)
        image.SetPaletteColor(i, RGBColor(i * 7, 255 - i, i * 3));
    } else if (c.Ident != pTrueColor) {
      image.SetPaletteIdent(c.Ident);
    }
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 7; ++x)
        image.SetPixel(x, y, c.Format == pf24Bit ? RGBColor(x * 30, y * 70, x + y)
                                                 : (x + 3 * y) % image.MaxPaletteCount());
    TPixelGraphic back;
    LoadBytes(back, SaveBytes(image, "bmp"));
    ASSERT_EQ(back.PixelFormat(), c.Format);
    EXPECT_EQ(back.Palette(), image.Palette());
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 7; ++x) EXPECT_EQ(back.Pixel(x, y), image.Pixel(x, y));
  }
}

}  // namespace
