// TIFF reader and writer: golden files, hand-made and hostile files, PackBits, round trips.
#include "tests/formats/GoldenUtil.h"
#include "imaging/formats/TIFFDirectory.h"
#include "imaging/formats/TIFFFormat.h"
#include "imaging/formats/TIFFPackBits.h"

namespace {

class TIFFTest : public FormatTest {
 protected:
  void SetUp() override {
    FormatTest::SetUp();
    ChangeFormatSettings([&](TPGFormatSettings& s) { s.GammaCorrectionOnRead = false; });
  }
};

// Builds small TIFF files: data blocks first, the directory last.
class TTiff {
 public:
  explicit TTiff(bool motorola = false) : FMotorola(motorola) {}

  // Appends a data block; returns its offset.
  std::uint32_t Blob(const TBytes& bytes) {
    const auto offset = static_cast<std::uint32_t>(8 + FBlobs.size());
    FBlobs.insert(FBlobs.end(), bytes.begin(), bytes.end());
    if (FBlobs.size() & 1) FBlobs.push_back(0);
    return offset;
  }
  // An entry whose values are stored in the entry when they fit, else in a data block.
  void Add(std::uint16_t tag, std::uint16_t type, const std::vector<std::uint32_t>& values) {
    const int size = type == 1 ? 1 : type == 3 ? 2 : 4;
    TBytes bytes;
    for (std::uint32_t v : values) Put(bytes, v, size);
    const auto count = static_cast<std::uint32_t>(values.size());
    if (bytes.size() <= 4) {
      bytes.resize(4, 0);
      FEntries.push_back({tag, type, count, bytes});
    } else {
      TBytes field;
      Put(field, Blob(bytes), 4);
      FEntries.push_back({tag, type, count, field});
    }
  }
  // An entry with a literal count and value field.
  void AddRaw(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t field) {
    TBytes bytes;
    Put(bytes, field, 4);
    FEntries.push_back({tag, type, count, bytes});
  }
  // The usual tags of an uncompressed single-strip image.
  void Basic(std::uint32_t w, std::uint32_t h, std::uint32_t photometric,
             const std::vector<std::uint32_t>& bits, const TBytes& pixels) {
    Add(256, 4, {w});
    Add(257, 4, {h});
    Add(258, 3, bits);
    Add(259, 3, {1});
    Add(262, 3, {photometric});
    Add(273, 4, {Blob(pixels)});
    Add(277, 3, {static_cast<std::uint32_t>(bits.size())});
    Add(278, 4, {h});
  }
  std::uint32_t DirectoryOffset() const { return static_cast<std::uint32_t>(8 + FBlobs.size()); }
  TBytes Build(std::uint32_t next = 0) const {
    TBytes out = FMotorola ? TBytes{'M', 'M'} : TBytes{'I', 'I'};
    Put(out, 42, 2);
    Put(out, DirectoryOffset(), 4);
    out.insert(out.end(), FBlobs.begin(), FBlobs.end());
    Put(out, static_cast<std::uint32_t>(FEntries.size()), 2);
    for (const TEntry& e : FEntries) {
      Put(out, e.Tag, 2);
      Put(out, e.Type, 2);
      Put(out, e.Count, 4);
      out.insert(out.end(), e.Field.begin(), e.Field.end());
    }
    Put(out, next, 4);
    return out;
  }
  void Put(TBytes& b, std::uint32_t v, int size) const {
    for (int i = 0; i < size; ++i)
      b.push_back(static_cast<std::uint8_t>(v >> (8 * (FMotorola ? size - 1 - i : i))));
  }

 private:
  struct TEntry {
    std::uint16_t Tag, Type;
    std::uint32_t Count;
    TBytes Field;
  };
  bool FMotorola;
  TBytes FBlobs;
  std::vector<TEntry> FEntries;
};

void ExpectReadError(const TBytes& bytes, const std::string& message,
                     TPGWarningAction action = pgwaRaise) {
  TPixelGraphic image;
  image.ReadWarningAction = action;
  EXPECT_PG_ERROR(LoadBytes(image, bytes), EPGTIFFileFormatReader, message);
}

TEST_F(TIFFTest, GoldenFilesLoadInTheirOwnPixelFormats) {
  TPixelGraphic image;
  LoadFromFile(image, DataPath("im_gray4.tif"));
  EXPECT_EQ(image.PixelFormat(), pf4Bit);
  EXPECT_EQ(image.PaletteIdent(), pGray16);
  LoadFromFile(image, DataPath("nb_bilevel_wiz.tif"));
  EXPECT_EQ(image.PixelFormat(), pf1Bit);
  EXPECT_EQ(image.PaletteIdent(), pBlackWhite);
  LoadFromFile(image, DataPath("im_pal8.tif"));
  EXPECT_EQ(image.PixelFormat(), pf8Bit);
  LoadFromFile(image, DataPath("im_pal4.tif"));
  EXPECT_EQ(image.PixelFormat(), pf4Bit);
}

TEST_F(TIFFTest, MultiImageFilesAreAddressedWhenAllImagesAreRead) {
  TPGFileInfoResult info;
  ASSERT_TRUE(GetFileInfo(DataPath("im_three.tif"), 0, info));
  EXPECT_EQ(info.ImageCount, 1);
  TPixelGraphic image;
  EXPECT_PG_ERROR(LoadFromFileIndex(image, DataPath("im_three.tif"), 1), EPGTIFFileFormatReader,
                  "TIFF: Index invalid");
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFReadAllImages = true; });
  ASSERT_TRUE(GetFileInfo(DataPath("im_three.tif"), 0, info));
  EXPECT_EQ(info.ImageCount, 3);
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFReadAllImages = true; });
  // Too many images: the file counts as one.
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFMaxImages = 2; });
  ASSERT_TRUE(GetFileInfo(DataPath("im_three.tif"), 0, info));
  EXPECT_EQ(info.ImageCount, 1);
}

TEST_F(TIFFTest, InformationTexts) {
  TPGFileInfoResult info;
  ASSERT_TRUE(GetFileInfo(DataPath("im_rgb_MM_packbits.tif"), 0, info));
  EXPECT_EQ(info.FormatDescription, "Tagged Image File Format");
  EXPECT_EQ(info.VersionText, "M, PackBits, RGB");
  EXPECT_EQ(info.BitsPerPixel, 24);
  EXPECT_EQ(info.ColorsText, "16.7 M");
  EXPECT_EQ(info.DescriptionText, "");
  ASSERT_TRUE(GetFileInfo(DataPath("im_pal4.tif"), 0, info));
  EXPECT_EQ(info.VersionText, "I, Uncompr., RGB Palette");
  EXPECT_EQ(info.ColorsText, "16");
  ASSERT_TRUE(GetFileInfo(DataPath("nb_bilevel_wiz.tif"), 0, info));
  EXPECT_EQ(info.VersionText, "I, Uncompr., WhiteIsZero");
  EXPECT_EQ(info.ColorsText, "2");
  ASSERT_TRUE(GetFileInfo(DataPath("im_cmyk.tif"), 0, info));
  EXPECT_EQ(info.VersionText, "I, Uncompr., CMYK");
  ASSERT_TRUE(GetFileInfo(DataPath("im_rgba_assoc.tif"), 0, info));
  EXPECT_EQ(info.VersionText, "I, Uncompr., RGB");
  EXPECT_EQ(info.BitsPerPixel, 32);
  EXPECT_EQ(info.DescriptionText, "(Associated alpha)");
  ASSERT_TRUE(GetFileInfo(DataPath("pil_rgba_unassoc.tif"), 0, info));
  EXPECT_EQ(info.DescriptionText, "(Unassociated alpha)");

  // Variants read through libtiff say what they are.
  ASSERT_TRUE(GetFileInfo(DataPath("lt_lzw_pred.tif"), 0, info));
  EXPECT_EQ(info.VersionText, "I, LZW, RGB");
  EXPECT_EQ(info.DescriptionText, "");
  EXPECT_EQ(info.BitsPerPixel, 24);
  ASSERT_TRUE(GetFileInfo(DataPath("lt_g4.tif"), 0, info));
  EXPECT_EQ(info.VersionText, "I, Group 4 F., BlackIsZero");
  EXPECT_EQ(info.ColorsText, "2");
  ASSERT_TRUE(GetFileInfo(DataPath("lt_planar_lzw.tif"), 0, info));
  EXPECT_EQ(info.DescriptionText, "(Planar)");
  ASSERT_TRUE(GetFileInfo(DataPath("lt_tiled.tif"), 0, info));
  EXPECT_EQ(info.VersionText, "I, Uncompr., RGB");
  EXPECT_EQ(info.DescriptionText, "(Tiled)");
  ASSERT_TRUE(GetFileInfo(DataPath("lt_jpeg.tif"), 0, info));
  EXPECT_EQ(info.VersionText, "I, JPEG, YCbCr");
  ASSERT_TRUE(GetFileInfo(DataPath("lt_rgba_lzw.tif"), 0, info));
  EXPECT_EQ(info.VersionText, "I, LZW, RGB");
  EXPECT_EQ(info.DescriptionText, "(Unassociated alpha)");
  ASSERT_TRUE(GetFileInfo(DataPath("lt_gray16_lzw.tif"), 0, info));
  EXPECT_EQ(info.BitsPerPixel, 16);
  EXPECT_EQ(info.ColorsText, "65536");
}

// Files written by libtiff's tiffcp (and a 2-bit grey file by ImageMagick), against Pillow's
// decode; the 16-bit grey reference keeps the top 8 bits of Pillow's samples.
TEST_F(TIFFTest, VariantsOurReaderLacksGoThroughLibtiff) {
  for (const char* name : {"lt_lzw_pred.tif", "lt_deflate.tif", "lt_planar_lzw.tif",
                           "lt_tiled.tif", "lt_tiled_lzw.tif", "lt_g3.tif", "lt_g4.tif", "lt_gray16_lzw.tif",
                           "im_gray2.tif"})
    ExpectMatchesReference(name, std::string(name) + ".0.ppm", 0, 1);
  ExpectMatchesReference("lt_jpeg.tif", "lt_jpeg.tif.0.ppm", 0, 3);
  ExpectMatchesReference("lt_cmyk_lzw.tif", "lt_cmyk_lzw.tif.near.ppm", 0, 2);
  // The nearest picture formats: bilevel stays 1-bit, grey stays grey.
  TPixelGraphic image;
  LoadFromFile(image, DataPath("lt_g4.tif"));
  EXPECT_EQ(image.PixelFormat(), pf1Bit);
  EXPECT_EQ(image.PaletteIdent(), pBlackWhite);
  LoadFromFile(image, DataPath("lt_gray16_lzw.tif"));
  EXPECT_EQ(image.PixelFormat(), pf8Bit);
  EXPECT_EQ(image.PaletteIdent(), pGray256);
  LoadFromFile(image, DataPath("im_gray2.tif"));
  EXPECT_EQ(image.PixelFormat(), pf4Bit);
  LoadFromFile(image, DataPath("lt_lzw_pred.tif"));
  EXPECT_EQ(image.PixelFormat(), pf24Bit);
  // Pages by index when every image is read.
  ChangeFormatSettings([](TPGFormatSettings& s) { s.TIFFReadAllImages = true; });
  TPGFileInfoResult info;
  ASSERT_TRUE(GetFileInfo(DataPath("lt_two_pages_lzw.tif"), 1, info));
  EXPECT_EQ(info.ImageCount, 2);
  ExpectMatchesReference("lt_two_pages_lzw.tif", "lt_two_pages_lzw.tif.0.ppm", 0);
  ExpectMatchesReference("lt_two_pages_lzw.tif", "lt_two_pages_lzw.tif.1.ppm", 1);
}

TEST_F(TIFFTest, DamagedVariantsGiveLibtiffsMessage) {
  // A compression neither reader knows.
  TTiff unknown;
  unknown.Add(256, 4, {2});
  unknown.Add(257, 4, {1});
  unknown.Add(258, 3, {8});
  unknown.Add(259, 3, {60000});
  unknown.Add(262, 3, {1});
  unknown.Add(273, 4, {unknown.Blob({1, 2})});
  unknown.Add(277, 3, {1});
  unknown.Add(278, 4, {1});
  unknown.Add(279, 4, {2});
  TPixelGraphic image;
  image.ReadWarningAction = pgwaRaise;
  try {
    LoadBytes(image, unknown.Build());
    ADD_FAILURE() << "an unknown compression loaded";
  } catch (const EPGTIFFileFormatReader& e) {
    EXPECT_EQ(std::string(e.what()).rfind("TIFF: ", 0), 0u) << e.what();
    EXPECT_NE(std::string(e.what()).find("60000"), std::string::npos) << e.what();
  }
}

TEST_F(TIFFTest, ValuesThatFitAreReadFromTheEntryItself) {
  // Two strips of one row each: two SHORT offsets fit in the entry, as do two SHORT
  // bits-per-sample values... which no accepted layout has, so use the offsets.
  TTiff tiff(true);
  const std::uint32_t row0 = tiff.Blob({10, 20, 30, 40, 50, 60});
  const std::uint32_t row1 = tiff.Blob({70, 80, 90, 100, 110, 120});
  tiff.Add(256, 3, {2});
  tiff.Add(257, 3, {2});
  tiff.Add(258, 3, {8, 8, 8});  // six bytes: stored at an offset
  tiff.Add(262, 3, {2});
  tiff.Add(273, 3, {row0, row1});  // four bytes: stored in the entry
  tiff.Add(277, 3, {3});
  tiff.Add(278, 3, {1});
  tiff.Add(259, 3, {1});
  TPixelGraphic image;
  LoadBytes(image, tiff.Build());
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(10, 20, 30));
  EXPECT_EQ(image.PixelColor(1, 1), RGBColor(100, 110, 120));
}

TEST_F(TIFFTest, AMissingCompressionTagMeansUncompressed) {
  TTiff tiff;
  const std::uint32_t strip = tiff.Blob({5, 6, 7, 8});
  tiff.Add(256, 3, {4});
  tiff.Add(257, 3, {1});
  tiff.Add(258, 3, {8});
  tiff.Add(262, 3, {1});
  tiff.Add(273, 4, {strip});
  tiff.Add(277, 3, {1});
  tiff.Add(278, 3, {1});
  TPixelGraphic image;
  LoadBytes(image, tiff.Build());
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(image.Pixel(3, 0), 8u);
}

TEST_F(TIFFTest, PixelLayouts) {
  {  // WhiteIsZero 8-bit is inverted; 4-bit too.
    TTiff tiff;
    tiff.Basic(3, 1, 0, {8}, {0, 100, 255});
    TPixelGraphic image;
    LoadBytes(image, tiff.Build());
    EXPECT_EQ(image.Pixel(0, 0), 255u);
    EXPECT_EQ(image.Pixel(1, 0), 155u);
    EXPECT_EQ(image.Pixel(2, 0), 0u);
    TTiff four;
    four.Basic(3, 1, 0, {4}, {0x1F, 0x30});
    LoadBytes(image, four.Build());
    EXPECT_EQ(image.Pixel(0, 0), 14u);
    EXPECT_EQ(image.Pixel(1, 0), 0u);
    EXPECT_EQ(image.Pixel(2, 0), 12u);
  }
  {  // CMYK: no ink is white, full cyan is (0, 255, 255).
    TTiff tiff;
    tiff.Basic(3, 1, 5, {8, 8, 8, 8}, {0, 0, 0, 0, 255, 0, 0, 0, 0, 100, 50, 30});
    TPixelGraphic image;
    LoadBytes(image, tiff.Build());
    EXPECT_EQ(image.PixelColor(0, 0), RGBColor(255, 255, 255));
    EXPECT_EQ(image.PixelColor(1, 0), RGBColor(0, 255, 255));
    EXPECT_EQ(image.PixelColor(2, 0), RGBColor(225, 125, 175));
  }
  {  // A colour map longer than the pixels can address gives 16 entries for 4 bits.
    TTiff tiff;
    std::vector<std::uint32_t> map(3 * 20);
    for (int i = 0; i < 20; ++i) map[i] = static_cast<std::uint32_t>(i * 256 + 255);
    tiff.Basic(2, 1, 3, {4}, {0x0F});
    tiff.Add(320, 3, map);
    TPixelGraphic image;
    LoadBytes(image, tiff.Build());
    EXPECT_EQ(image.PaletteCount(), 16);
    EXPECT_EQ(image.PixelColor(1, 0), RGBColor(15, 0, 0));
  }
}

// Loads `sample` onto the background colour `background` and expects the PPM `expected`.
void ExpectOnBackground(const std::string& sample, const std::string& expected, TRGB background) {
  TPixelGraphic image, reference;
  image.SetSize(1, 1, pf24Bit);
  image.SetBackGroundColor(background);
  LoadFromFile(image, DataPath(sample));
  LoadFromFile(reference, DataPath(expected));
  ASSERT_EQ(image.PixelFormat(), pf24Bit);
  ASSERT_EQ(image.Width(), reference.Width());
  ASSERT_EQ(image.Height(), reference.Height());
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      ASSERT_EQ(image.PixelColor(x, y), reference.PixelColor(x, y)) << sample << " " << x << "," << y;
}

// RGB files with an alpha sample, read by our own reader: unassociated alpha written by Pillow
// (reference: Pillow's RGBA blended like the PNG reader blends), associated alpha written by
// ImageMagick (reference: libtiff's tiff2rgba samples plus the background's share).
TEST_F(TIFFTest, AlphaSamplesBlendOntoTheBackgroundColour) {
  ExpectOnBackground("pil_rgba_unassoc.tif", "pil_rgba_unassoc.tif.bg.ppm", RGBColor(10, 20, 30));
  ExpectOnBackground("im_rgba_assoc.tif", "im_rgba_assoc.tif.bg.ppm", RGBColor(10, 20, 30));
  // The same unassociated picture LZW-compressed by tiffcp, read through libtiff.
  ExpectOnBackground("lt_rgba_lzw.tif", "pil_rgba_unassoc.tif.bg.ppm", RGBColor(10, 20, 30));

  // Unassociated: transparent shows the background, half blends halfway; associated colours
  // already hold their share.
  const TRGB white = RGBColor(255, 255, 255);
  for (const std::uint32_t kind : {1u, 2u}) {
    TTiff tiff;
    tiff.Basic(3, 1, 2, {8, 8, 8, 8}, {200, 100, 0, 0, 100, 50, 0, 128, 10, 20, 30, 255});
    tiff.Add(338, 3, {kind});
    TPixelGraphic image;
    image.SetSize(1, 1, pf24Bit);
    image.SetBackGroundColor(white);
    LoadBytes(image, tiff.Build());
    SCOPED_TRACE(kind);
    if (kind == 2) {
      EXPECT_EQ(image.PixelColor(0, 0), white);
      EXPECT_EQ(image.PixelColor(1, 0), RGBColor(177, 152, 127));
    } else {
      EXPECT_EQ(image.PixelColor(0, 0), RGBColor(255, 255, 255));
      EXPECT_EQ(image.PixelColor(1, 0), RGBColor(227, 177, 127));
    }
    EXPECT_EQ(image.PixelColor(2, 0), RGBColor(10, 20, 30));
  }
  // No ExtraSamples field, or unspecified extra data: the fourth sample is no alpha.
  for (const bool tagged : {false, true}) {
    TTiff tiff;
    tiff.Basic(1, 1, 2, {8, 8, 8, 8}, {200, 100, 50, 0});
    if (tagged) tiff.Add(338, 3, {0});
    TPixelGraphic image;
    image.SetSize(1, 1, pf24Bit);
    image.SetBackGroundColor(white);
    LoadBytes(image, tiff.Build());
    EXPECT_EQ(image.PixelColor(0, 0), RGBColor(200, 100, 50)) << tagged;
  }
}

TEST_F(TIFFTest, LayoutAndFieldErrors) {
  TTiff noSamples;
  noSamples.Add(256, 4, {1});
  noSamples.Add(257, 4, {1});
  noSamples.Add(258, 3, {8});
  noSamples.Add(273, 4, {8});
  ExpectReadError(noSamples.Build(), "TIFF: Invalid SamplesPerPixel");

  TTiff rational;
  rational.Basic(1, 1, 1, {8}, {1});
  rational.AddRaw(256, 5, 1, 8);
  ExpectReadError(rational.Build(), "TIFF: Unsupported field Type: 5");

  TTIFFileFormatReader reader;
  TPixelGraphic image;
  TPGMemoryStream wrongNumber(TBytes{'I', 'I', 43, 0, 8, 0, 0, 0});
  EXPECT_PG_ERROR(reader.ReadFromStream(wrongNumber, image, 0, CaptureFormatContext()),
                  EPGTIFFileFormatReader, "TIFF: Not a TIF file");
}

TEST_F(TIFFTest, StripsThatDoNotAddUp) {
  TTiff zeroRows;
  zeroRows.Basic(1, 2, 1, {8}, {1, 2});
  zeroRows.Add(273, 4, {8, 9});
  zeroRows.Add(278, 4, {0});
  ExpectReadError(zeroRows.Build(), "TIFF: Invalid RowsPerStrip");

  TTiff noStrips;
  noStrips.Add(256, 4, {1});
  noStrips.Add(257, 4, {1});
  noStrips.Add(258, 3, {8});
  noStrips.Add(262, 3, {1});
  noStrips.Add(277, 3, {1});
  noStrips.Add(259, 3, {1});
  ExpectReadError(noStrips.Build(), "TIFF: Invalid StripOffsets");

  TTiff tooMany;
  tooMany.Basic(1, 2, 1, {8}, {1, 2});
  tooMany.Add(273, 4, {8, 9, 10});
  tooMany.Add(278, 4, {1});
  ExpectReadError(tooMany.Build(), "TIFF: NumStripOffsets<>(ImageLength+RowsPerStrip-1) div RowsPerStrip");

  // One strip offset but rows for two: read as one strip unless the warning refuses.
  TTiff oneStrip;
  oneStrip.Basic(1, 2, 1, {8}, {7, 9});
  oneStrip.Add(278, 4, {1});
  const TBytes bytes = oneStrip.Build();
  ExpectReadError(bytes, "TIFF: NumStripOffsets<>(ImageLength+RowsPerStrip-1) div RowsPerStrip");
  TPixelGraphic image;
  image.ReadWarningAction = pgwaIgnore;
  LoadBytes(image, bytes);
  EXPECT_EQ(image.Pixel(0, 1), 9u);
  {
    TWarningRecorder refuse(false);
    ExpectReadError(bytes, "TIFF: NumStripOffsets<>(ImageLength+RowsPerStrip-1) div RowsPerStrip",
                    pgwaOKCancelBox);
    EXPECT_EQ(refuse.Caption, "TIFF-Warning");
  }
}

TEST_F(TIFFTest, HostileFilesEndInErrorsNotInHangsOrHugeAllocations) {
  // A directory chain that loops counts as a single image.
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFReadAllImages = true; });
  TTiff loop;
  loop.Basic(1, 1, 1, {8}, {5});
  const TBytes looped = loop.Build(loop.DirectoryOffset());
  TPGFileInfoResult info;
  TPGMemoryStream stream(looped);
  EXPECT_EQ(FindReader(stream, "")->GetInfo(stream, 0, CaptureFormatContext()).ImageCount, 1);
  // A next-directory offset whose last bytes lie past the end, likewise.
  TBytes past = loop.Build(0);
  past[past.size() - 4] = static_cast<std::uint8_t>(past.size() - 5);
  TPGMemoryStream pastStream(past);
  EXPECT_EQ(FindReader(pastStream, "")->GetInfo(pastStream, 0, CaptureFormatContext()).ImageCount,
            1);
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFReadAllImages = false; });

  TTiff hugeCount;
  hugeCount.Basic(1, 1, 1, {8}, {5});
  hugeCount.AddRaw(273, 4, 0x40000000, 8);  // 4 GiB of offsets in a tiny file
  ExpectReadError(hugeCount.Build(), "TIFF: Unexpected end of file");

  TTiff farStrip;
  farStrip.Basic(4, 4, 1, {8}, {1});
  farStrip.Add(273, 4, {0xFFFFFFF0});
  ExpectReadError(farStrip.Build(), "TIFF: Unexpected end of file");

  TTiff shortStrip;  // the strip starts at the file's last byte; the rows need 16
  shortStrip.Basic(4, 4, 1, {8}, {1});
  const auto size = static_cast<std::uint32_t>(shortStrip.Build().size());
  shortStrip.AddRaw(273, 4, 1, size + 12 - 1);
  ExpectReadError(shortStrip.Build(), "TIFF: Unexpected end of file");

  TTiff huge;
  huge.Basic(60000, 60000, 2, {8, 8, 8}, {1, 2, 3});
  ExpectReadError(huge.Build(), "TIFF: Image size out of range");

  TTiff wide;
  wide.Basic(0x80000000u, 1, 1, {8}, {1});
  ExpectReadError(wide.Build(), "TIFF: Image size out of range");

  // Directory past the end of the file.
  ExpectReadError({'I', 'I', 42, 0, 0xF0, 0xFF, 0, 0}, "TIFF: Unexpected end of file");

  TTiff packed;  // a run of 4 bytes in a row of 2
  packed.Basic(2, 1, 1, {8}, {0xFD, 7});
  packed.Add(259, 3, {32773});
  ExpectReadError(packed.Build(), "TIFF (PackBits): Invalid count of bytes in row 0");
}

TEST_F(TIFFTest, PackBitsCoding) {
  std::vector<std::uint8_t> out;
  const std::uint8_t row[] = {1, 1, 2, 3, 3, 3};
  PackBitsEncodeRow(row, 6, out);
  EXPECT_EQ(out, (TBytes{2, 1, 1, 2, 0xFE, 3}));

  TBytes data;
  for (int i = 0; i < 300; ++i) data.push_back(static_cast<std::uint8_t>(i < 200 ? 9 : (i * 7) % 5));
  for (int i = 0; i < 300; ++i) data.push_back(static_cast<std::uint8_t>(i * 31 + i / 3));
  out.clear();
  PackBitsEncodeRow(data.data(), data.size(), out);
  EXPECT_LT(out.size(), data.size());
  out.push_back(0x80);  // a no-op control byte at the end changes nothing
  TPGMemoryStream stream(out);
  TPackBitsDecoder decoder(stream);
  decoder.Start(0);
  TBytes decoded(data.size());
  decoder.DecodeRow(decoded.data(), decoded.size(), 0);
  EXPECT_EQ(decoded, data);
}

// Every writable class with every option, read back through the reader.
TEST_F(TIFFTest, WriterRoundTripsEveryClassAndOption) {
  std::vector<std::unique_ptr<TPixelGraphic>> images;
  const auto add = [&images](TPixelFormat f, TPaletteIdent ident) {
    auto image = std::make_unique<TPixelGraphic>();
    image->SetSize(37, 300, f);  // several strips for every format with PackBits
    if (f != pf24Bit) image->SetPaletteIdent(ident);
    if (ident == pUnknown) {
      image->SetPaletteCount(f == pf4Bit ? 16 : 256);
      for (int i = 0; i < image->PaletteCount(); ++i)
        image->SetPaletteColor(i, RGBColor(i * 13, 255 - i, i * 7));
    }
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 37; ++x)
        image->SetPixel(x, y, f == pf24Bit ? RGBColor(x * 7, y, (x * y) & 255)
                                           : static_cast<TRGB>((x / 3 + y) % (1 << image->BitCount())));
    images.push_back(std::move(image));
  };
  add(pf1Bit, pBlackWhite);
  add(pf4Bit, pGray16);
  add(pf4Bit, pSys16);
  add(pf4Bit, pUnknown);
  add(pf8Bit, pGray256);
  add(pf8Bit, pUnknown);
  add(pf24Bit, pTrueColor);
  for (int options = 0; options < 16; ++options) {
    ChangeFormatSettings(
        [&](TPGFormatSettings& s) { s.TIFFWriteCompression = (options & 1) ? 32773 : 1; });
    ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFWriteMotorola = (options & 2) != 0; });
    ChangeFormatSettings(
        [&](TPGFormatSettings& s) { s.TIFFWriteWhiteIsZero = (options & 4) != 0; });
    ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFWriteCMYK = (options & 8) != 0; });
    for (auto& image : images) {
      TPixelGraphic back;
      LoadBytes(back, SaveBytes(*image, "tif"));
      ASSERT_EQ(back.PixelFormat(), image->PixelFormat()) << options;
      EXPECT_EQ(back.Palette(), image->Palette()) << options;
      int wrong = 0;
      for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 37; ++x) wrong += back.Pixel(x, y) != image->Pixel(x, y);
      EXPECT_EQ(wrong, 0) << "options " << options << " format " << int(image->PixelFormat());
    }
  }
}

TEST_F(TIFFTest, WriterLayout) {
  TPixelGraphic rgb;
  rgb.SetSize(100, 100, pf24Bit);
  TPGMemoryStream one(SaveBytes(rgb, "tif"));
  const TTIFFDirectory d = ReadTIFFDirectory(one, 0, CurrentFormatSettings());
  EXPECT_EQ(d.RowsPerStrip, 100u);
  EXPECT_EQ(d.StripOffsets.size(), 1u);
  EXPECT_EQ(d.StripByteCounts, std::vector<std::uint32_t>{30000});
  EXPECT_EQ(d.BitsPerSample, (std::vector<std::uint32_t>{8, 8, 8}));

  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFWriteCompression = 32773; });
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFWriteMotorola = true; });
  TPixelGraphic sys;
  sys.SetSize(3001, 20, pf4Bit);
  sys.SetPaletteIdent(pSys16);
  TPGMemoryStream many(SaveBytes(sys, "tiff"));
  const TTIFFDirectory p = ReadTIFFDirectory(many, 0, CurrentFormatSettings());
  EXPECT_TRUE(p.Motorola);
  EXPECT_EQ(p.Photometric, 3u);
  EXPECT_EQ(p.ColorMap.size(), 48u);
  EXPECT_EQ(p.ColorMap[9], 255u * 256);  // red of (255, 0, 0)
  EXPECT_EQ(p.RowsPerStrip, 32767u / 3002);
  EXPECT_EQ(p.StripOffsets.size(), 2u);
  for (std::uint32_t offset : p.StripOffsets) EXPECT_EQ(offset % 2, 0u);

  // Resolution: the two rationals and the unit.
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFXResolution = {72, 2}; });
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFResolutionUnit = 2; });
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFWriteMotorola = false; });
  const TBytes bytes = SaveBytes(rgb, "tif");
  std::size_t i = 8 + 2;
  std::uint32_t xres = 0, unit = 0;
  for (int e = 0; e < 13; ++e, i += 12) {
    if (GetLE16(&bytes[i]) == 282) xres = GetLE32(&bytes[i + 8]);
    if (GetLE16(&bytes[i]) == 296) unit = GetLE16(&bytes[i + 8]);
  }
  EXPECT_EQ(GetLE32(&bytes[xres]), 72u);
  EXPECT_EQ(GetLE32(&bytes[xres + 4]), 2u);
  EXPECT_EQ(unit, 3u);
}

TEST_F(TIFFTest, WriterRefusals) {
  TTIFFileFormatWriter writer;
  TPixelGraphic empty;
  TPGMemoryStream out;
  EXPECT_PG_ERROR(writer.WriteToStream(out, empty, CaptureFormatContext()), EPGTIFFileFormatWriter,
                  "TIFF: Width = 0 or Height = 0");
  TPixelGraphic image;
  image.SetSize(2, 2, pf24Bit);
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFWriteCompression = 5; });
  EXPECT_PG_ERROR(writer.WriteToStream(out, image, CaptureFormatContext()), EPGTIFFileFormatWriter,
                  "TIFF: Internal Error");
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.TIFFWriteCompression = 1; });

  // Two colours other than black and white are written as a 16-colour image.
  TPixelGraphic two;
  two.SetSize(4, 1, pf1Bit);
  two.SetPaletteCount(2);
  two.SetPaletteColor(0, RGBColor(255, 0, 0));
  two.SetPaletteColor(1, RGBColor(0, 0, 255));
  two.SetPixel(1, 0, 1);
  two.SaveColorResWarningAction = pgwaIgnore;
  TPixelGraphic back;
  LoadBytes(back, SaveBytes(two, "tif"));
  EXPECT_EQ(back.PixelFormat(), pf4Bit);
  EXPECT_EQ(back.PixelColor(1, 0), RGBColor(0, 0, 255));
  EXPECT_EQ(back.PixelColor(0, 0), RGBColor(255, 0, 0));
}

TEST_F(TIFFTest, DataAfterAnOffsetBase) {
  // Offsets count from where the TIFF data starts in the stream.
  TPixelGraphic image;
  FillPattern(image);
  TPGMemoryStream stream;
  stream.Write("prefix", 6);
  TTIFFileFormatWriter writer;
  writer.WriteToStream(stream, image, CaptureFormatContext());
  stream.Seek(6);
  TPixelGraphic back;
  LoadFromStream(back, stream);
  ExpectPattern(back);
}

}  // namespace
