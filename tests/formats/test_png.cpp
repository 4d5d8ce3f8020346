// PNG through libpng: golden files, transparency and backgrounds, gamma, texts, the writer.
#include <cstdlib>
#include <cstring>
#include <set>

#include <zlib.h>

#include "tests/formats/GoldenUtil.h"
#include "imaging/formats/PNGFormat.h"

namespace {

class PNGTest : public FormatTest {
 protected:
  void SetUp() override {
    FormatTest::SetUp();
    ChangeFormatSettings([&](TPGFormatSettings& s) { s.GammaCorrectionOnRead = false; });
  }
};

void Load(TPixelGraphic& image, const char* name) { LoadFromFile(image, DataPath(name)); }

void ExpectNear(TRGB actual, TRGB expected, int tolerance = 1) {
  EXPECT_NEAR(RedOf(actual), RedOf(expected), tolerance) << std::hex << actual;
  EXPECT_NEAR(GreenOf(actual), GreenOf(expected), tolerance) << std::hex << actual;
  EXPECT_NEAR(BlueOf(actual), BlueOf(expected), tolerance) << std::hex << actual;
}

// The chunks of a PNG file: type and data.
std::vector<std::pair<std::string, TBytes>> Chunks(const TBytes& png) {
  std::vector<std::pair<std::string, TBytes>> chunks;
  for (std::size_t i = 8; i + 12 <= png.size();) {
    const std::size_t n = (std::size_t{png[i]} << 24) | (png[i + 1] << 16) | (png[i + 2] << 8) | png[i + 3];
    chunks.emplace_back(std::string(png.begin() + i + 4, png.begin() + i + 8),
                        TBytes(png.begin() + i + 8, png.begin() + i + 8 + n));
    i += 12 + n;
  }
  return chunks;
}

TEST_F(PNGTest, PaletteAndGreyDepthsChooseFormatAndPalette) {
  TPixelGraphic image;
  Load(image, "lx_pal2.png");  // 2-bit palette: unpacked to 4-bit pixels
  EXPECT_EQ(image.PixelFormat(), pf4Bit);
  ASSERT_EQ(image.PaletteCount(), 4);
  EXPECT_EQ(image.PaletteColor(3), RGBColor(10, 20, 30));
  const TRGB indices[] = {0, 1, 2, 3, 1};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(image.Pixel(x, 0), indices[x]);

  Load(image, "lx_gray4_trns.png");
  EXPECT_EQ(image.PixelFormat(), pf4Bit);
  EXPECT_EQ(image.PaletteIdent(), pGray16);
  Load(image, "lx_gray1_trns.png");
  EXPECT_EQ(image.PixelFormat(), pf1Bit);
  EXPECT_EQ(image.PaletteIdent(), pBlackWhite);
  Load(image, "lx_gray2_trns_bkgd.png");
  EXPECT_EQ(image.PixelFormat(), pf4Bit);
  EXPECT_EQ(image.PaletteIdent(), pGray4);
}

// Grey files of 1, 2 and 4 bits: transparent samples take the grey level nearest to the
// background, expressed in the file's sample range, so they stay pixels of the grey palette.
TEST_F(PNGTest, LowDepthGreyTransparencyTakesTheNearestGreyLevel) {
  TPixelGraphic image;
  Load(image, "lx_gray1_trns.png");  // samples 0,1,0,1,1,0; 1 is transparent
  for (int x = 0; x < 6; ++x) EXPECT_EQ(image.Pixel(x, 0), 0u) << x;
  TPixelGraphic white;
  white.SetBackGroundColor(RGBColor(255, 255, 255));
  Load(white, "lx_gray1_trns.png");
  EXPECT_EQ(white.Pixel(1, 0), 1u);
  EXPECT_EQ(white.Pixel(2, 0), 0u);

  TPixelGraphic light;
  light.SetBackGroundColor(RGBColor(200, 200, 200));  // nearest 4-bit level: 12 (204)
  Load(light, "lx_gray4_trns.png");                    // samples 0,5,10,15; 5 is transparent
  const TRGB expected[] = {0, 12, 10, 15};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(light.Pixel(x, 0), expected[x]) << x;

  // The file's background: 2-bit level 1 is grey 85.
  Load(image, "lx_gray2_trns_bkgd.png");  // samples 0,1,2,3; 3 is transparent
  const TRGB withChunk[] = {0, 1, 2, 1};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(image.Pixel(x, 0), withChunk[x]) << x;
  EXPECT_EQ(image.BackGroundRGB(), RGBColor(85, 85, 85));
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.PNGReadBackground = false; });
  TPixelGraphic own;
  Load(own, "lx_gray2_trns_bkgd.png");
  EXPECT_EQ(own.Pixel(3, 0), 0u);
}

TEST_F(PNGTest, AlphaBlendsOntoTheBackground) {
  TPixelGraphic image;
  Load(image, "lx_rgba8.png");  // opaque red, transparent green, half-transparent blue
  EXPECT_EQ(image.PixelFormat(), pf24Bit);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(0, 0, 0));
  ExpectNear(image.PixelColor(2, 0), RGBColor(0, 0, 128));
  TPixelGraphic white;
  white.SetBackGroundColor(RGBColor(255, 255, 255));
  Load(white, "lx_rgba8.png");
  EXPECT_EQ(white.PixelColor(1, 0), RGBColor(255, 255, 255));
  ExpectNear(white.PixelColor(2, 0), RGBColor(127, 127, 255));

  // 16-bit samples with a background chunk of (2570, 5140, 7710).
  TPixelGraphic chunk;
  Load(chunk, "lx_rgba16_bkgd.png");
  EXPECT_EQ(chunk.BackGroundColor(), RGBColor(10, 20, 30));
  EXPECT_EQ(chunk.PixelColor(0, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(chunk.PixelColor(1, 0), RGBColor(10, 20, 30));
  ExpectNear(chunk.PixelColor(2, 0), RGBColor(5, 137, 15));
  // A white image background stays white through libpng's 16-to-8-bit stripping.
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.PNGReadBackground = false; });
  TPixelGraphic white16;
  white16.SetBackGroundColor(RGBColor(255, 255, 255));
  Load(white16, "lx_rgba16_bkgd.png");
  EXPECT_EQ(white16.PixelColor(1, 0), RGBColor(255, 255, 255));
  EXPECT_EQ(white16.BackGroundColor(), RGBColor(255, 255, 255));
}

TEST_F(PNGTest, FileGammaIsCorrectedOnLoad) {
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.GammaCorrectionOnRead = true; });
  TPixelGraphic image;
  Load(image, "lx_gamma.png");  // gamma 0.45455; grey images correct their palette
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(110, 110, 110));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(255, 255, 255));
  EXPECT_DOUBLE_EQ(image.Gamma, ScreenGamma);
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.GammaCorrectionOnRead = false; });
  Load(image, "lx_gamma.png");
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(128, 128, 128));
  EXPECT_NEAR(image.Gamma, 1 / 0.45455, 1e-9);
  // With transparency the pixels are blended as stored and corrected afterwards.
  Load(image, "lx_rgba8_gamma.png");
  EXPECT_NEAR(image.Gamma, 1 / 0.45455, 1e-9);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(128, 128, 128));
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.GammaCorrectionOnRead = true; });
  Load(image, "lx_rgba8_gamma.png");
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(110, 110, 110));
}

TEST_F(PNGTest, InformationTexts) {
  TPGFileInfoResult info;
  ASSERT_TRUE(GetFileInfo(DataPath("lx_gray2_trns_bkgd.png"), 0, info));
  EXPECT_EQ(info.FormatDescription, "Portable Network Graphics");
  EXPECT_EQ(info.VersionText, "GrayScale");
  EXPECT_EQ(info.DescriptionText, "(trns, bkgd)");
  EXPECT_EQ(info.BitsPerPixel, 2);
  EXPECT_EQ(info.ColorsText, "4");
  ASSERT_TRUE(GetFileInfo(DataPath("lx_rgba16_bkgd.png"), 0, info));
  EXPECT_EQ(info.VersionText, "RGB, alpha");
  EXPECT_EQ(info.BitsPerPixel, 64);
  EXPECT_EQ(info.ColorsText, "?");
  ASSERT_TRUE(GetFileInfo(DataPath("im_interlaced.png"), 0, info));
  EXPECT_EQ(info.VersionText, "palette, interlaced");
  EXPECT_EQ(info.ColorsText, "256");
  EXPECT_EQ(info.Width, 40);
  EXPECT_EQ(info.Height, 24);
  ASSERT_TRUE(GetFileInfo(DataPath("lx_gamma.png"), 0, info));
  EXPECT_EQ(info.DescriptionText, "(gama)");

  TPNGFileFormatReader reader;
  TPGMemoryStream stream(ReadFileBytes(DataPath("lx_gamma.png")));
  EXPECT_PG_ERROR(reader.GetInfo(stream, 1, CaptureFormatContext()), EPGPNGFileFormatReaderWriter,
                  "PNG: Invalid value for Index");
  TPixelGraphic image;
  EXPECT_PG_ERROR(LoadFromStreamExt(image, stream, "png", 1), EPGPNGFileFormatReaderWriter,
                  "PNG: Index invalid");
}

TEST_F(PNGTest, BrokenFilesAndWarnings) {
  TBytes bytes = ReadFileBytes(DataPath("im_interlaced.png"));
  TPixelGraphic image;
  EXPECT_PG_ERROR(LoadBytes(image, TBytes(bytes.begin(), bytes.begin() + 200)),
                  EPGPNGFileFormatReaderWriter, "PNG: Read Error");
  // A damaged checksum of the ancillary gamma chunk is a warning.
  TBytes gamma = ReadFileBytes(DataPath("lx_gamma.png"));
  const std::size_t crc = 8 + 25 + 8 + 4;  // signature, IHDR, gAMA header and data
  ASSERT_EQ(std::memcmp(gamma.data() + crc - 8, "gAMA", 4), 0);
  gamma[crc] ^= 0xFF;
  image.ReadWarningAction = pgwaRaise;
  EXPECT_PG_ERROR(LoadBytes(image, gamma), EPGPNGFileFormatReaderWriter, "PNG: gAMA: CRC error");
  {
    TWarningRecorder refuse(false);
    image.ReadWarningAction = pgwaOKCancelBox;
    EXPECT_PG_ERROR(LoadBytes(image, gamma), EPGPNGFileFormatReaderWriter,
                    "PNG: Operation aborted on user request");
    EXPECT_EQ(refuse.Caption, "PNG Warning");
  }
  image.ReadWarningAction = pgwaIgnore;
  LoadBytes(image, gamma);
  EXPECT_EQ(image.Pixel(0, 0), 128u);
  // A text chunk claiming almost 2 GB is not allocated: it is skipped, and what follows is
  // not a chunk.
  EXPECT_PG_ERROR(LoadFromFile(image, DataPath("lx_huge_text_chunk.png")),
                  EPGPNGFileFormatReaderWriter, "PNG: [3A]mod: invalid chunk type");
}

TEST_F(PNGTest, AbortEndsQuietlyWithTheRowsRead) {
  TPixelGraphic image;
  TAbortAfter progress(image, 3);
  LoadFromFile(image, DataPath("im_interlaced.png"));  // 7 passes of 24 rows
  EXPECT_EQ(progress.Steps, 3);
  EXPECT_EQ(progress.Ends, 1);
  EXPECT_EQ(image.Width(), 40);
}

TEST_F(PNGTest, WriterKeepsEveryClass) {
  TPixelGraphic bw;
  bw.SetSize(9, 3, pf1Bit);
  bw.SetPaletteIdent(pBlackWhite);
  bw.SetPixel(1, 1, 1);
  const TBytes bwBytes = SaveBytes(bw, "png");
  const auto chunks = Chunks(bwBytes);
  ASSERT_GE(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].first, "IHDR");
  EXPECT_EQ(chunks[0].second[8], 1);  // bit depth
  EXPECT_EQ(chunks[0].second[9], 3);  // palette colour type
  EXPECT_EQ(chunks[1].first, "gAMA");
  EXPECT_EQ(chunks[1].second, (TBytes{0, 0, 0xD9, 0x04}));  // 1 / 1.8 = 0.55556
  EXPECT_EQ(chunks[2].first, "PLTE");
  EXPECT_EQ(chunks[2].second.size(), 6u);
  TPixelGraphic back;
  LoadBytes(back, bwBytes);
  EXPECT_EQ(back.PixelFormat(), pf1Bit);
  EXPECT_EQ(back.Pixel(1, 1), 1u);
  EXPECT_EQ(back.Pixel(2, 1), 0u);

  TPixelGraphic gray;
  gray.SetSize(3, 2, pf8Bit);
  gray.SetPaletteIdent(pGray256);
  gray.SetPixel(2, 1, 200);
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.WriteGamma = false; });
  const auto grayChunks = Chunks(SaveBytes(gray, "png"));
  EXPECT_EQ(grayChunks[0].second[9], 0);  // grey colour type
  EXPECT_EQ(grayChunks[1].first, "IDAT");  // no gamma chunk

  TPixelGraphic sys;
  sys.SetSize(5, 2, pf4Bit);
  sys.SetPaletteIdent(pSys16);
  sys.SetPixel(4, 1, 12);
  LoadBytes(back, SaveBytes(sys, "png"));
  EXPECT_EQ(back.PixelFormat(), pf4Bit);
  EXPECT_EQ(back.PaletteIdent(), pSys16);
  EXPECT_EQ(back.Pixel(4, 1), 12u);

  TPixelGraphic color;
  FillPattern(color);
  LoadBytes(back, SaveBytes(color, "png"));
  ExpectPattern(back);
}

// True-colour rows are stored with the filters and the compression the writer chooses; the
// result must be a plain PNG stream that any reader undoes: one zlib stream over the IDAT
// chunks, one filter type byte of 0..4 per row, and the unfiltered rows equal the picture.
TEST_F(PNGTest, TrueColourRowsAreAPlainFilteredStream) {
  TPixelGraphic photo;
  const int w = 97, h = 61;
  photo.SetSize(w, h, pf24Bit);
  std::uint32_t seed = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245u + 12345u;
      const int grain = static_cast<int>((seed >> 16) % 9);
      // Smooth ramps, a flat band and a grainy corner: rows that favour different filters.
      const int r = y < 20 ? 4 * x : y < 30 ? 90 : std::min(255, 2 * x + 3 * y + grain);
      photo.SetPixelColor(x, y, RGBColor(r & 0xFF, (x * y) & 0xFF, (x >= 60 && y >= 40) ? grain * 28 : 200 - y));
    }
  const TBytes file = SaveBytes(photo, "png");
  TBytes deflated;
  for (const auto& [type, data] : Chunks(file))
    if (type == "IDAT") deflated.insert(deflated.end(), data.begin(), data.end());
  const std::size_t stride = 1 + 3 * static_cast<std::size_t>(w);
  TBytes raw(stride * h + 1);
  uLongf rawSize = static_cast<uLongf>(raw.size());
  ASSERT_EQ(uncompress(raw.data(), &rawSize, deflated.data(), static_cast<uLong>(deflated.size())), Z_OK);
  ASSERT_EQ(rawSize, stride * h);
  // Undo the filters (the five of the PNG format, 3 bytes per pixel).
  std::set<int> types;
  TBytes previous(stride, 0), row(stride);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* in = raw.data() + stride * y;
    const int type = in[0];
    ASSERT_LE(type, 4) << "row " << y;
    types.insert(type);
    for (std::size_t i = 1; i < stride; ++i) {
      const int a = i > 3 ? row[i - 3] : 0, b = previous[i], c = i > 3 ? previous[i - 3] : 0;
      const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      const int predictor[] = {0, a, b, (a + b) / 2,
                               pa <= pb && pa <= pc ? a : pb <= pc ? b : c};
      row[i] = static_cast<std::uint8_t>(in[i] + predictor[type]);
    }
    for (int x = 0; x < w; ++x) {
      const TRGB c = photo.PixelColor(x, y);
      ASSERT_EQ(row[1 + 3 * x], RedOf(c)) << x << "," << y;
      ASSERT_EQ(row[2 + 3 * x], GreenOf(c)) << x << "," << y;
      ASSERT_EQ(row[3 + 3 * x], BlueOf(c)) << x << "," << y;
    }
    previous = row;
  }
  EXPECT_GE(types.size(), 2u) << "rows of different kinds get different filters";
  TPixelGraphic back;
  LoadBytes(back, file);
  for (int y = 0; y < h; ++y)
    ASSERT_EQ(std::memcmp(back.ScanLine(y), photo.ScanLine(y), 3 * static_cast<std::size_t>(w)), 0);
}

}  // namespace
