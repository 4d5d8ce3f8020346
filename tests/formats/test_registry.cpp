#include <sys/stat.h>

#include <cstdio>

#include "tests/formats/FormatTestUtil.h"
#include "imaging/PGMessageIds.h"
#include "imaging/formats/BMPFormat.h"
#include "imaging/formats/ColorResolution.h"

namespace {

class RegistryTest : public FormatTest {};

TEST_F(RegistryTest, ListsHoldTheLibraryFormatsSortedByExtension) {
  SortFileFormatReaders();
  std::vector<std::string> readers;
  for (const auto& r : FileFormatReaders()) readers.push_back(r->Extension);
  std::vector<std::string> sorted = readers;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(readers, sorted);
  for (const char* ext : {"bmp", "dib", "rle", "pcx", "pbm", "pgm", "ppm", "tga"})
    EXPECT_NE(std::find(readers.begin(), readers.end(), ext), readers.end()) << ext;

  const TFileFormatWriter* pbm = FindWriter("PBM");
  ASSERT_NE(pbm, nullptr);
  EXPECT_EQ(pbm->CanWriteResolutions, ColorResSet({crBlackWhite}));
  EXPECT_EQ(FindWriter(".tga")->CanWriteResolutions, ColorResSet({cr256Colors, crTrueColor}));
  EXPECT_EQ(FindWriter("bmp")->CanWriteResolutions, crAll);
  EXPECT_FALSE(FindWriter("dib")->InDefaultFilter);
  EXPECT_EQ(FindWriter("pgm")->Description, "Portable Graymap");
  EXPECT_EQ(FindWriter("pcx"), nullptr);
}

TEST_F(RegistryTest, ContentWinsOverExtensionAndTgaNeedsItsExtension) {
  const TBytes bmp = ReadFileBytes(DataPath("nb_rgb24.bmp"));
  TPGMemoryStream s1(bmp);
  TFileFormatReader* r = FindReader(s1, "jpg");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Description, "Bitmap");
  EXPECT_EQ(s1.Position(), 0);

  const TBytes tga = ReadFileBytes(DataPath("nb_rgb_raw.tga"));
  TPGMemoryStream s2(tga);
  EXPECT_EQ(FindReader(s2, ""), nullptr);
  ASSERT_NE(FindReader(s2, ".TGA"), nullptr);
  EXPECT_EQ(FindReader(s2, "tga")->Extension, "tga");

  // Readers with a header check are never chosen by extension.
  TPGMemoryStream s3(TBytes{'x', 'y', 'z'});
  EXPECT_EQ(FindReader(s3, "bmp"), nullptr);

  TPixelGraphic image;
  TPGMemoryStream s4(tga);
  EXPECT_PG_ERROR(LoadFromStream(image, s4), EPGUnknownFileFormat, "Unknown file format");
}

TEST_F(RegistryTest, ShortStreamsAreNotRecognisedByStaleBytes) {
  // "P" alone must not be taken for an anymap because of earlier bytes.
  TBytes first = {'P', '6', ' ', '1'};
  TPGMemoryStream s1(first);
  ASSERT_NE(FindReader(s1, ""), nullptr);
  TPGMemoryStream s2(TBytes{'P'});
  EXPECT_EQ(FindReader(s2, ""), nullptr);
  TPGMemoryStream s3(TBytes{'B'});
  EXPECT_EQ(FindReader(s3, ""), nullptr);
  TPGMemoryStream empty;
  EXPECT_EQ(FindReader(empty, ""), nullptr);
}

TEST_F(RegistryTest, GetFileInfoDescribesFilesAndNeverRaises) {
  TPGFileInfoResult info;
  ASSERT_TRUE(GetFileInfo(DataPath("nb_pal8.bmp"), 0, info));
  EXPECT_EQ(info.FormatDescription, "Bitmap");
  EXPECT_EQ(info.ImageCount, 1);
  EXPECT_EQ(info.BitsPerPixel, 8);
  EXPECT_EQ(info.ColorsText, "256");
  EXPECT_EQ(info.Width, 5);
  EXPECT_EQ(info.Height, 3);
  EXPECT_EQ(info.VersionText, "Windows, RGB");

  ASSERT_TRUE(GetFileInfo(DataPath("nb_os2pal8.bmp"), 0, info));
  EXPECT_EQ(info.VersionText, "OS/2");
  ASSERT_TRUE(GetFileInfo(DataPath("im_rle8.bmp"), 0, info));
  EXPECT_EQ(info.VersionText, "Windows, RLE8");
  ASSERT_TRUE(GetFileInfo(DataPath("nb_default.pcx"), 0, info));
  EXPECT_EQ(info.FormatDescription, "Paintbrush");
  EXPECT_EQ(info.BitsPerPixel, 4);
  EXPECT_EQ(info.ColorsText, "16");
  EXPECT_EQ(info.VersionText, "Version 3.0 (5)");
  ASSERT_TRUE(GetFileInfo(DataPath("nb_rgb.tga"), 0, info));
  EXPECT_EQ(info.VersionText, "Run-length encoded");
  EXPECT_EQ(info.DescriptionText, "True-color");
  EXPECT_EQ(info.ColorsText, "16.7M");
  ASSERT_TRUE(GetFileInfo(DataPath("plain.pgm"), 0, info));
  EXPECT_EQ(info.FormatDescription, "Portable Graymap");
  EXPECT_EQ(info.VersionText, "ASCII");
  EXPECT_EQ(info.ColorsText, "256");

  EXPECT_FALSE(GetFileInfo(DataPath("nb_pal8.bmp"), 1, info));  // index 1 raises inside
  EXPECT_EQ(info.Width, 0);
  EXPECT_FALSE(GetFileInfo(DataPath("missing.bmp"), 0, info));
  EXPECT_FALSE(GetFileInfo(DataPath(""), 0, info));
}

TEST_F(RegistryTest, SettingsByNameCheckTheirValues) {
  EXPECT_EQ(SetFormatSetting("JPEGWriteQuality", "90"), "");
  EXPECT_EQ(CurrentFormatSettings().JPEGWriteQuality, 90);
  EXPECT_NE(SetFormatSetting("JPEGWriteQuality", "101"), "");
  EXPECT_NE(SetFormatSetting("JPEGWriteQuality", "9x"), "");
  EXPECT_EQ(CurrentFormatSettings().JPEGWriteQuality, 90);
  EXPECT_EQ(SetFormatSetting("GammaCorrectionOnRead", "false"), "");
  EXPECT_FALSE(CurrentFormatSettings().GammaCorrectionOnRead);
  EXPECT_EQ(SetFormatSetting("TIFFXResolution", "72/2"), "");
  EXPECT_EQ(CurrentFormatSettings().TIFFXResolution.Numerator, 72u);
  EXPECT_EQ(CurrentFormatSettings().TIFFXResolution.Denominator, 2u);
  EXPECT_NE(SetFormatSetting("TIFFXResolution", "72/0"), "");
  EXPECT_NE(SetFormatSetting("TIFFWriteCompression", "5"), "");
  EXPECT_EQ(SetFormatSetting("TIFFWriteCompression", "32773"), "");
  EXPECT_NE(SetFormatSetting("NoSuchSetting", "1"), "");
  EXPECT_EQ(SetFormatSetting("ScreenGamma", "2.2"), "");
  EXPECT_DOUBLE_EQ(ScreenGamma, 2.2);
  ResetFormatSettings();
  EXPECT_DOUBLE_EQ(ScreenGamma, 1.8);
  EXPECT_EQ(CurrentFormatSettings().JPEGWriteQuality, 80);
  EXPECT_TRUE(CurrentFormatSettings().BMPRead16BitExpand);
  EXPECT_FALSE(CurrentFormatSettings().PXMWriteBinary);
}

TEST_F(RegistryTest, PreferenceTableChoosesTheNearestWritableClass) {
  TColorResolution t;
  const TColorResolutions tiff = ColorResSet({crBlackWhite, crGray16, crSys16, cr16Colors,
                                              crGray256, cr256Colors, crTrueColor});
  ASSERT_TRUE(PreferredColorResolution(cr2Colors, tiff, t));
  EXPECT_EQ(t, cr16Colors);
  ASSERT_TRUE(PreferredColorResolution(crSys16, ColorResSet({crGray256, crTrueColor}), t));
  EXPECT_EQ(t, crTrueColor);
  ASSERT_TRUE(PreferredColorResolution(crTrueColor, ColorResSet({crBlackWhite}), t));
  EXPECT_EQ(t, crBlackWhite);
  EXPECT_FALSE(PreferredColorResolution(crTrueColor, 0, t));
  EXPECT_EQ(ColorResolutionText(cr256Colors), "256 colors");
}

}  // namespace

TEST(MessageIds, NameTheEntriesOfTheMessageTable) {
  EXPECT_EQ(PGMessage(pgmUnknownFileFormat), "Unknown file format");
  EXPECT_EQ(PGMessage(pgmUnknownExtension, "gif"), "Unknown file extension \"gif\"");
  EXPECT_EQ(PGMessage(pgmInvalidValueFor, "Index"), "Invalid value for Index");
  EXPECT_EQ(PGMessage(pgmWarning), "Warning");
  EXPECT_EQ(PGMessage(pgmAbortedByUser), "Operation aborted on user request");
  EXPECT_EQ(PGMessage(pgmOutOfRange, "Image size"), "Image size out of range");
  EXPECT_EQ(PGMessage(pgmBlackAndWhite + static_cast<int>(crTrueColor)), "16.7 million colors");
  EXPECT_EQ(PGMessage(pgmCancel), "Cancel");
  EXPECT_EQ(PGMessage(pgmDegree), "\u00b0");
}
