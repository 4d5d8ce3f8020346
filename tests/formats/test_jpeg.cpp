// JPEG through libjpeg-turbo: golden files, information texts, warnings, aborts, the writer.
#include "tests/formats/GoldenUtil.h"
#include "imaging/formats/JPEGFormat.h"
#include "imaging/formats/JPEGScaledLoad.h"

namespace {

class JPEGTest : public FormatTest {};

// A smooth 24-bit picture that survives JPEG coding with small errors.
void FillSmooth(TPixelGraphic& image, int w, int h) {
  image.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, RGBColor(x * 255 / w, y * 255 / h, 128));
}

int MaxDifference(const TPixelGraphic& a, const TPixelGraphic& b) {
  int d = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TRGB p = a.PixelColor(x, y), q = b.PixelColor(x, y);
      d = std::max({d, std::abs(RedOf(p) - RedOf(q)), std::abs(GreenOf(p) - GreenOf(q)),
                    std::abs(BlueOf(p) - BlueOf(q))});
    }
  return d;
}

TEST_F(JPEGTest, GrayFilesLoadAsGray256) {
  TPixelGraphic gray;
  LoadFromFile(gray, DataPath("im_gray.jpg"));
  EXPECT_EQ(gray.PixelFormat(), pf8Bit);
  EXPECT_EQ(gray.PaletteIdent(), pGray256);
}

TEST_F(JPEGTest, InformationTexts) {
  TPGFileInfoResult info;
  ASSERT_TRUE(GetFileInfo(DataPath("im_rgb.jpg"), 0, info));
  EXPECT_EQ(info.FormatDescription, "JPEG (JFIF compliant)");
  EXPECT_EQ(info.VersionText, "JFIF, YCbCr");
  EXPECT_EQ(info.BitsPerPixel, 24);
  EXPECT_EQ(info.ColorsText, "16.7M");
  EXPECT_EQ(info.Width, 40);
  EXPECT_EQ(info.Height, 24);
  EXPECT_EQ(info.ImageCount, 1);
  EXPECT_EQ(info.DescriptionText, "");
  ASSERT_TRUE(GetFileInfo(DataPath("im_progressive.jpg"), 0, info));
  EXPECT_EQ(info.VersionText, "JFIF, YCbCr, Progressive");
  ASSERT_TRUE(GetFileInfo(DataPath("im_gray.jpg"), 0, info));
  EXPECT_EQ(info.VersionText, "JFIF, GrayScale");
  EXPECT_EQ(info.ColorsText, "256");
  // Adobe's marker in a CMYK file, without JFIF.
  ASSERT_TRUE(GetFileInfo(DataPath("im_cmyk.jpg"), 0, info));
  EXPECT_EQ(info.VersionText, "Adope, YCbCrK");
  EXPECT_EQ(info.ColorsText, "4294.9M");
  EXPECT_EQ(info.BitsPerPixel, 32);

  TJPGFileFormatReader reader;
  TPGMemoryStream stream(ReadFileBytes(DataPath("im_rgb.jpg")));
  EXPECT_PG_ERROR(reader.GetInfo(stream, 1, CaptureFormatContext()), EPGJPGFileFormatReaderWriter,
                  "JPG: Invalid value for Index");
}

// CMYK pictures shown as RGB: a YCCK file with Adobe's marker written by ImageMagick and a
// CMYK file written by Pillow (with the marker: inverted samples), against Pillow's RGB
// conversion; the same file without the marker, whose samples then count as not inverted,
// against (255 - C) x (255 - K) / 255 computed from Pillow's samples.
TEST_F(JPEGTest, CMYKAndYCCKFilesAreShownAsRGB) {
  ExpectMatchesReference("im_cmyk.jpg", "im_cmyk.jpg.ppm", 0, 1);
  ExpectMatchesReference("pil_cmyk.jpg", "pil_cmyk.jpg.ppm", 0, 1);
  ExpectMatchesReference("pil_cmyk_noadobe.jpg", "pil_cmyk_noadobe.jpg.ppm", 0, 1);
  TPixelGraphic image;
  LoadFromFile(image, DataPath("pil_cmyk.jpg"));
  EXPECT_EQ(image.PixelFormat(), pf24Bit);
}

TEST_F(JPEGTest, RefusedAndBrokenData) {
  TPixelGraphic image;
  // Twelve-bit samples are beyond the 8-bit library: its own message says so.
  TBytes twelve = ReadFileBytes(DataPath("im_rgb.jpg"));
  for (std::size_t i = 2; i + 4 < twelve.size(); ++i)
    if (twelve[i] == 0xFF && (twelve[i + 1] == 0xC0 || twelve[i + 1] == 0xC2)) {
      twelve[i + 4] = 12;
      break;
    }
  EXPECT_PG_ERROR(LoadBytes(image, twelve), EPGJPGFileFormatReaderWriter,
                  "JPG: Unsupported JPEG data precision 12");
  TPGMemoryStream stream(ReadFileBytes(DataPath("im_rgb.jpg")));
  EXPECT_PG_ERROR(LoadFromStreamExt(image, stream, "jpg", 1), EPGJPGFileFormatReaderWriter,
                  "JPG: Index invalid");
  // A start-of-image marker followed by nonsense is the library's own error.
  const TBytes junk = {0xFF, 0xD8, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
  EXPECT_PG_ERROR(LoadBytes(image, junk), EPGJPGFileFormatReaderWriter,
                  "JPG: JPEG datastream contains no image");
  const TBytes header = {0xFF, 0xD8};
  EXPECT_THROW(LoadBytes(image, header), EPGJPGFileFormatReaderWriter);
}

TEST_F(JPEGTest, TruncatedDataWarnsByTheWarningAction) {
  TBytes bytes = ReadFileBytes(DataPath("im_rgb.jpg"));
  bytes.resize(bytes.size() * 2 / 3);
  {
    TPixelGraphic image;
    image.ReadWarningAction = pgwaRaise;
    EXPECT_PG_ERROR(LoadBytes(image, bytes), EPGJPGFileFormatReaderWriter,
                    "JPG: Premature end of JPEG file");
  }
  {
    TWarningRecorder refuse(false);
    TPixelGraphic image;
    EXPECT_PG_ERROR(LoadBytes(image, bytes), EPGJPGFileFormatReaderWriter,
                    "JPG: Operation aborted on user request");
    EXPECT_EQ(refuse.Caption, "JPG Warning");
    EXPECT_EQ(refuse.Text, "Premature end of JPEG file");
  }
  {
    TWarningRecorder accept(false);
    TPixelGraphic image;
    image.ReadWarningAction = pgwaOKBox;  // shown, then reading goes on
    LoadBytes(image, bytes);
    EXPECT_EQ(accept.Count, 1);
    EXPECT_EQ(image.Width(), 40);
    image.ReadWarningAction = pgwaIgnore;
    LoadBytes(image, bytes);
    EXPECT_EQ(accept.Count, 1);
  }
}

TEST_F(JPEGTest, AbortEndsWithTheLibraryErrorAndKeepsTheRowsRead) {
  TPixelGraphic image, full;
  LoadFromFile(full, DataPath("im_rgb.jpg"));
  TAbortAfter progress(image, 5);
  EXPECT_PG_ERROR(LoadFromFile(image, DataPath("im_rgb.jpg")), EPGJPGFileFormatReaderWriter,
                  "JPG: Application transferred too few scanlines");
  EXPECT_EQ(progress.Starts, 1);
  EXPECT_EQ(progress.Ends, 1);
  EXPECT_EQ(progress.Steps, 5);
  for (int x = 0; x < 40; ++x) EXPECT_EQ(image.Pixel(x, 4), full.Pixel(x, 4));
  EXPECT_EQ(image.Pixel(3, 20), 0u);
}

TEST_F(JPEGTest, PreviewLoadUsesTheFastDCT) {
  TPixelGraphic photo;
  FillSmooth(photo, 64, 48);
  for (int x = 0; x < 64; x += 3) photo.SetPixel(x, x % 48, RGBColor(255, 255, 255));
  const TBytes bytes = SaveBytes(photo, "jpg");
  TPixelGraphic precise, fast, preview;
  LoadBytes(precise, bytes);
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.JPEGReadDCTMethod = 1; });
  LoadBytes(fast, bytes);
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.JPEGReadDCTMethod = 0; });
  preview.PreviewLoad = true;
  LoadBytes(preview, bytes);
  EXPECT_GT(MaxDifference(precise, fast), 0);
  EXPECT_EQ(MaxDifference(preview, fast), 0);
}

TEST_F(JPEGTest, WriterRoundTripsAndFollowsTheSettings) {
  TPixelGraphic photo, back;
  FillSmooth(photo, 64, 48);
  const TBytes q80 = SaveBytes(photo, "jpg");
  LoadBytes(back, q80);
  EXPECT_EQ(back.PixelFormat(), pf24Bit);
  EXPECT_LE(MaxDifference(photo, back), 12);

  ChangeFormatSettings([&](TPGFormatSettings& s) { s.JPEGWriteQuality = 20; });
  const TBytes q20 = SaveBytes(photo, "jpeg");
  EXPECT_LT(q20.size(), q80.size());
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.JPEGWriteQuality = 80; });
  for (int method : {0, 1, 2}) {
    ChangeFormatSettings([&](TPGFormatSettings& s) { s.JPEGWriteDCTMethod = method; });
    LoadBytes(back, SaveBytes(photo, "jif"));
    EXPECT_LE(MaxDifference(photo, back), 14) << method;
  }
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.JPEGWriteProgressive = true; });
  TPGMemoryStream progressive(SaveBytes(photo, "jpg"));
  EXPECT_EQ(
      FindReader(progressive, "")->GetInfo(progressive, 0, CaptureFormatContext()).VersionText,
      "JFIF, YCbCr, Progressive");
}

TEST_F(JPEGTest, GreyAndPaletteImagesChooseTheirComponents) {
  TPixelGraphic gray;
  gray.SetSize(16, 8, pf8Bit);
  gray.SetPaletteIdent(pGray256);
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 8; ++y) gray.SetPixel(x, y, static_cast<TRGB>(x * 16));
  TPGMemoryStream one(SaveBytes(gray, "jpg"));
  TPGFileInfo info = FindReader(one, "")->GetInfo(one, 0, CaptureFormatContext());
  EXPECT_EQ(info.BitsPerPixel, 8);
  EXPECT_EQ(info.VersionText, "JFIF, GrayScale");

  // 16 system colours are not writable: the image goes out in true colour.
  TPixelGraphic sys;
  sys.SetSize(16, 8, pf4Bit);
  sys.SetPaletteIdent(pSys16);
  sys.SaveColorResWarningAction = pgwaIgnore;
  TPGMemoryStream three(SaveBytes(sys, "jpg"));
  EXPECT_EQ(FindReader(three, "")->GetInfo(three, 0, CaptureFormatContext()).BitsPerPixel, 24);

  TJPGFileFormatWriter writer;
  TPixelGraphic bw;
  bw.SetSize(8, 8, pf1Bit);
  bw.SetPaletteIdent(pBlackWhite);
  TPGMemoryStream out;
  EXPECT_PG_ERROR(writer.WriteToStream(out, bw, CaptureFormatContext()),
                  EPGJPGFileFormatReaderWriter, "JPG: Invalid value for BitCount");
}

// A stream that refuses to grow beyond a limit, like a full disk.
class TFullStream : public TPGMemoryStream {
 public:
  void Write(const void* buffer, std::size_t n) override {
    if (Size() + static_cast<std::int64_t>(n) > 100) throw EPixelGraphic("disk full");
    TPGMemoryStream::Write(buffer, n);
  }
};

TEST_F(JPEGTest, StreamFailuresAndTrailingDataAreHandled) {
  TPixelGraphic photo;
  FillSmooth(photo, 64, 48);
  TJPGFileFormatWriter writer;
  TFullStream full;
  EXPECT_PG_ERROR(writer.WriteToStream(full, photo, CaptureFormatContext()),
                  EPGJPGFileFormatReaderWriter, "JPG: disk full");

  // The reader leaves the stream right after the end-of-image marker.
  TBytes bytes = SaveBytes(photo, "jpg");
  const std::size_t end = bytes.size();
  bytes.insert(bytes.end(), {'t', 'a', 'i', 'l'});
  TPGMemoryStream stream(bytes);
  TPixelGraphic back;
  LoadFromStream(back, stream);
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(end));
}

}  // namespace

namespace {

// The accurate scaled decode at full scale gives exactly the reader's pixels; at a reduced
// scale it covers the size asked for with the smallest DCT scale.
TEST_F(JPEGTest, AccurateScaledDecodeMatchesTheReader) {
  const std::string path = DataPath("im_rgb.jpg");
  TPixelGraphic full, scaled;
  LoadFromFile(full, path);
  const TJPEGScaledResult same = LoadJPEGScaled(
      path, scaled, [](int w, int h) { return TScaledSize{w, h}; }, TJPEGScaledQuality::Accurate);
  EXPECT_EQ(same.ScaleNum, 8);
  ASSERT_EQ(scaled.Width(), full.Width());
  ASSERT_EQ(scaled.Height(), full.Height());
  EXPECT_EQ(MaxDifference(full, scaled), 0);

  const TJPEGScaledResult half = LoadJPEGScaled(
      path, scaled, [](int, int) { return TScaledSize{20, 12}; }, TJPEGScaledQuality::Accurate);
  EXPECT_EQ(half.ScaleNum, 4);
  EXPECT_EQ(half.FullWidth, 40);
  EXPECT_EQ(half.FullHeight, 24);
  EXPECT_EQ(scaled.Width(), 20);
  EXPECT_EQ(scaled.Height(), 12);
}

}  // namespace
