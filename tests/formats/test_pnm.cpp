#include "tests/formats/FormatTestUtil.h"
#include "tests/formats/GoldenUtil.h"
#include "imaging/formats/PxMFormat.h"

namespace {

class PNMTest : public FormatTest {};

TBytes Text(const std::string& s) { return TBytes(s.begin(), s.end()); }

TEST_F(PNMTest, GoldenFilesFromNetpbm) {
  for (const char* name : {"plain.ppm", "raw.ppm"}) {
    SCOPED_TRACE(name);
    TPixelGraphic image;
    LoadBytes(image, ReadFileBytes(DataPath(name)));
    ExpectPattern(image);
  }
  // Greymaps written by ppmtopgm from the same picture.
  const int grey[3][5] = {{77, 149, 29, 255, 0}, {18, 48, 78, 108, 138}, {226, 178, 106, 128, 2}};
  for (const char* name : {"plain.pgm", "raw.pgm"}) {
    SCOPED_TRACE(name);
    TPixelGraphic image;
    LoadBytes(image, ReadFileBytes(DataPath(name)));
    ASSERT_EQ(image.PixelFormat(), pf8Bit);
    EXPECT_EQ(image.PaletteIdent(), pGray256);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(image.Pixel(x, y), static_cast<TRGB>(grey[y][x]));
  }
  // pgmtopbm -threshold: white where the grey is at least half.
  TPixelGraphic bits;
  LoadBytes(bits, ReadFileBytes(DataPath("raw.pbm")));
  ASSERT_EQ(bits.PixelFormat(), pf1Bit);
  const int white[3][5] = {{0, 1, 0, 1, 0}, {0, 0, 0, 0, 1}, {1, 1, 0, 1, 0}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(bits.PixelColor(x, y), white[y][x] ? RGBColor(255, 255, 255) : 0u);
}

// Sixteen-bit samples (pnmdepth 65535 and 1000) against pnmdepth 255 of the same files, and
// a plain bitmap without separators (pnmtoplainpnm) against ppmtoppm of it.
TEST_F(PNMTest, WideSamplesAndPackedPlainBitmapsFromNetpbm) {
  ExpectMatchesReference("nb_rgb16.ppm", "nb_rgb16.ppm.ppm");
  ExpectMatchesReference("nb_gray1000.pgm", "nb_gray1000.pgm.ppm");
  ExpectMatchesReference("nb_plain_packed.pbm", "nb_plain_packed.pbm.ppm");
}

TEST_F(PNMTest, NumberSyntax) {
  TPixelGraphic image;
  // Plain bitmap samples are single digits: whitespace between them is optional.
  LoadBytes(image, Text("P1 4 1\n0101"));
  EXPECT_EQ(image.Pixel(0, 0), 1u);
  EXPECT_EQ(image.Pixel(1, 0), 0u);
  EXPECT_EQ(image.Pixel(2, 0), 1u);
  EXPECT_EQ(image.Pixel(3, 0), 0u);
  EXPECT_PG_ERROR(LoadBytes(image, Text("P1 4 1\n010")), EPGPxMFileFormatReader,
                  "PBM, PGM, PPM: Unexpected end of file");
  LoadBytes(image, Text("P1\n# comment 7 7\n2 1\n1 0"));
  EXPECT_EQ(image.PixelColor(0, 0), 0u);
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(255, 255, 255));
  LoadBytes(image, Text("P2 2\n# height follows\n1 1000 1000 500"));
  EXPECT_EQ(image.Pixel(0, 0), 255u);
  EXPECT_EQ(image.Pixel(1, 0), 127u);
  // Samples above the maximum are clamped.
  LoadBytes(image, Text("P3 1 1 100 200 50 100"));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(255, 127, 255));
  EXPECT_PG_ERROR(LoadBytes(image, Text("P2 1 1 99999999999 1")), EPGPxMFileFormatReader,
                  "PBM, PGM, PPM: Number out of range");
}

TEST_F(PNMTest, RawDataAndItsLimits) {
  TPixelGraphic image;
  // 10 pixels wide: 2 bytes per row; the padding bits are ignored.
  TBytes pbm = Text("P4 10 1\n");
  pbm.insert(pbm.end(), {0x80, 0x7F});
  LoadBytes(image, pbm);
  EXPECT_EQ(image.Pixel(0, 0), 0u);  // black
  EXPECT_EQ(image.Pixel(1, 0), 1u);
  EXPECT_EQ(image.Pixel(9, 0), 0u);
  EXPECT_EQ(image.ScanLine(0)[1] & 0x3F, 0);

  TBytes pgm = Text("P5 2 1 100\n");
  pgm.insert(pgm.end(), {50, 200});
  LoadBytes(image, pgm);
  EXPECT_EQ(image.Pixel(0, 0), 127u);
  EXPECT_EQ(image.Pixel(1, 0), 255u);

  // Two bytes per sample above 255, most significant first, rounded to 8 bits.
  TBytes grey16 = Text("P5 2 1 1000\n");
  grey16.insert(grey16.end(), {0x01, 0xF4, 0x00, 0x02});
  LoadBytes(image, grey16);
  EXPECT_EQ(image.Pixel(0, 0), 128u);  // 500 x 255 / 1000 = 127.5
  EXPECT_EQ(image.Pixel(1, 0), 1u);    // 0.51
  TBytes wide = Text("P6 1 1 65535\n");
  wide.insert(wide.end(), {0xFF, 0xFF, 0x80, 0x80, 0x00, 0x80});
  LoadBytes(image, wide);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(255, 128, 0));
  EXPECT_PG_ERROR(LoadBytes(image, Text("P5 1 1 65536\n\1\1")), EPGPxMFileFormatReader,
                  "PBM, PGM, PPM: Not supported subformat");
  EXPECT_PG_ERROR(LoadBytes(image, Text("P5 2 1 1000\n\1\1\1")), EPGPxMFileFormatReader,
                  "PBM, PGM, PPM: Unexpected end of file");
  EXPECT_PG_ERROR(LoadBytes(image, Text("P2 1 1 0 0")), EPGPxMFileFormatReader,
                  "PBM, PGM, PPM: Not supported subformat");
  EXPECT_PG_ERROR(LoadBytes(image, Text("P3 0 1 255")), EPGPxMFileFormatReader,
                  "PBM, PGM, PPM: Not supported subformat");
  EXPECT_PG_ERROR(LoadBytes(image, Text("P6 2 2 255\n123")), EPGPxMFileFormatReader,
                  "PBM, PGM, PPM: Unexpected end of file");
  EXPECT_PG_ERROR(LoadBytes(image, Text("P6 60000 60000 255\n123")), EPGPxMFileFormatReader,
                  "PBM, PGM, PPM: Image size out of range");
  TPBMFileFormatReader reader;
  TPGMemoryStream s(Text("P7 1 1"));
  EXPECT_PG_ERROR(reader.ReadFromStream(s, image, 0, CaptureFormatContext()),
                  EPGPxMFileFormatReader, "PBM, PGM, PPM: Unknown subformat");
  TPGMemoryStream t(Text("Q1 1 1"));
  EXPECT_PG_ERROR(reader.ReadFromStream(t, image, 0, CaptureFormatContext()),
                  EPGPxMFileFormatReader, "PBM, PGM, PPM: Not a PBM, PGM, PPM file");
  EXPECT_PG_ERROR(reader.ReadFromStream(t, image, 2, CaptureFormatContext()),
                  EPGPxMFileFormatReader, "PxM: Index invalid");
}

TEST_F(PNMTest, WritersInBothForms) {
  TPixelGraphic image;
  FillPattern(image);
  EXPECT_EQ(SaveBytes(image, "ppm"),
            Text("P3\n5 3\n255\n"
                 "255 0 0 0 255 0 0 0 255 255 255 255 0 0 0\n"
                 "10 20 30 40 50 60 70 80 90 100 110 120 130 140 150\n"
                 "255 255 0 0 255 255 255 0 255 128 128 128 1 2 3\n"));
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.PXMWriteBinary = true; });
  EXPECT_EQ(SaveBytes(image, "ppm"), ReadFileBytes(DataPath("raw.ppm")));

  TPixelGraphic bw;
  bw.SetSize(10, 1, pf1Bit);
  bw.SetPaletteIdent(pBlackWhite);
  bw.SetPixel(1, 0, 1);
  bw.SetPixel(9, 0, 1);
  TBytes raw = Text("P4\n10 1\n");
  raw.insert(raw.end(), {0xBF, 0x80});  // padding bits written as 0
  EXPECT_EQ(SaveBytes(bw, "pbm"), raw);
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.PXMWriteBinary = false; });
  EXPECT_EQ(SaveBytes(bw, "pbm"), Text("P1\n10 1\n1 0 1 1 1 1 1 1 1 0\n"));

  // A black-and-white image of 8 bits is written pixel by pixel, not as bit rows.
  TPixelGraphic eight;
  eight.SetSize(3, 1, pf8Bit);
  eight.SetPaletteIdent(pBlackWhite);
  eight.SetPixel(1, 0, 1);
  TPBMFileFormatWriter pbmWriter;
  TPGMemoryStream out;
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.PXMWriteBinary = true; });
  pbmWriter.WriteToStream(out, eight, CaptureFormatContext());
  TBytes expected = Text("P4\n3 1\n");
  expected.push_back(0xA0);
  EXPECT_EQ(out.Data(), expected);

  // An 8-bit image with any palette is written as its indexes.
  TPixelGraphic indexed;
  indexed.SetSize(2, 1, pf8Bit);
  indexed.SetPaletteCount(3);
  indexed.SetPixel(1, 0, 2);
  TPGMFileFormatWriter pgmWriter;
  TPGMemoryStream out2;
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.PXMWriteBinary = false; });
  pgmWriter.WriteToStream(out2, indexed, CaptureFormatContext());
  EXPECT_EQ(out2.Data(), Text("P2\n2 1\n255\n0 2\n"));

  TPPMFileFormatWriter ppmWriter;
  EXPECT_PG_ERROR(ppmWriter.WriteToStream(out2, indexed, CaptureFormatContext()),
                  EPGPxMFileFormatWriter, "PPM: Invalid color resolution");
}

TEST_F(PNMTest, GreyRoundTripThroughTheSavePath) {
  TPixelGraphic image;
  image.SetSize(4, 2, pf8Bit);
  image.SetPaletteIdent(pGray256);
  for (int x = 0; x < 4; ++x) image.SetPixel(x, 1, static_cast<TRGB>(x * 60));
  for (bool binary : {false, true}) {
    ChangeFormatSettings([&](TPGFormatSettings& s) { s.PXMWriteBinary = binary; });
    TPixelGraphic back;
    LoadBytes(back, SaveBytes(image, "pgm"));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(back.Pixel(x, 1), static_cast<TRGB>(x * 60));
  }
}

}  // namespace
