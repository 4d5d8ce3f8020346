// Metafile service and readers: header checks, natural sizes, the records drawn, and files
// that lie about their data.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "tests/platform/MetafileBuilder.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"
#include "platform/Metafile.h"
#include "platform/MetafileFormat.h"
#include "platform/MetafileRecords.h"

namespace {

TPixelGraphic& Load(TPixelGraphic& image, const TMetaBytes& bytes, const std::string& ext) {
  InitFormatLibrary();
  RegisterExtraReaders();
  TPGMemoryStream stream(bytes);
  LoadFromStreamExt(image, stream, ext, 0);
  return image;
}

TPGFileInfo Info(TFileFormatReader&& reader, const TMetaBytes& bytes) {
  TPGMemoryStream stream(bytes);
  return reader.GetInfo(stream, 0, CaptureFormatContext());
}

bool IsRed(TRGB c) { return RedOf(c) > 200 && GreenOf(c) < 60 && BlueOf(c) < 60; }
bool IsWhite(TRGB c) { return c == 0xFFFFFF; }

// WMF: a solid brush of colour 0x00BBGGRR, selected.
void SolidBrush(TWMFBuilder& w, std::uint32_t color) {
  w.Record(wmfCreateBrushIndirect, {0, static_cast<int>(color & 0xFFFF), static_cast<int>(color >> 16), 0});
  w.Record(wmfSelectObject, {0});
}

}  // namespace

TEST(MetafileHeaders, WindowsTypesOneAndTwoAndPlaceableKeyAreRecognised) {
  TWMFBuilder w;
  for (int i = 0; i < 3; ++i) w.Record(wmfSaveDC, {});  // the file must be above 18 words
  for (int type : {0, 1, 2}) EXPECT_TRUE(CheckWMFHeader(w.Build(false, 100, 50, 96, type).data())) << type;
  EXPECT_FALSE(CheckWMFHeader(w.Build(false, 100, 50, 96, 3).data()));
  EXPECT_FALSE(CheckWMFHeader(w.Build(false, 100, 50, 96, 1, 0).data()));  // no objects
  EXPECT_TRUE(CheckWMFHeader(w.Build(true).data()));
}

// What the header check accepts the reader reads: a metafile of type 0 (left so by some
// writers) draws like one of type 1 or 2, with and without a placeable header.
TEST(MetafileHeaders, EveryAcceptedWindowsTypeIsRead) {
  TWMFBuilder w;
  SolidBrush(w, 0x0000FF);
  w.Record(wmfRectangle, {50, 100, 0, 0});
  for (bool placeable : {false, true})
    for (int type : {0, 1, 2}) {
      const TMetaBytes bytes = w.Build(placeable, 100, 50, 96, type);
      ASSERT_TRUE(placeable || CheckWMFHeader(bytes.data()));
      TPixelGraphic image;
      Load(image, bytes, "wmf");
      ASSERT_FALSE(image.Empty()) << "type " << type << (placeable ? " placeable" : "");
      EXPECT_TRUE(IsRed(image.PixelColor(20, 20))) << type;
    }
}

TEST(MetafileHeaders, EnhancedHeaderRecordsOf88BytesAndMoreAreRecognised) {
  TEMFBuilder e;
  for (std::uint32_t size : {88u, 100u, 108u, 124u}) {
    const TMetaBytes bytes = e.Build(40, 20, size);
    EXPECT_TRUE(CheckEMFHeader(bytes.data())) << size;
    TMetafile m;
    EXPECT_TRUE(m.LoadEnhanced(bytes)) << size;
  }
  EXPECT_FALSE(CheckEMFHeader(e.Build(40, 20, 80).data()));
  // The signature is checked when loading.
  TMetaBytes bad = e.Build(40, 20);
  bad[40] = 'X';
  TMetafile m;
  EXPECT_FALSE(m.LoadEnhanced(bad));
  // A header size beyond the data.
  TMetaBytes huge = e.Build(40, 20);
  huge[6] = 0x10;
  EXPECT_FALSE(m.LoadEnhanced(huge));
}

TEST(MetafileSize, NaturalSizesAndPreviewFitting) {
  TWMFBuilder w;
  TMetafile m;
  ASSERT_TRUE(m.LoadWindows(w.Build(true, 1440, 720, 1440)));  // one inch by half an inch
  EXPECT_EQ(m.Width(), 96);
  EXPECT_EQ(m.Height(), 48);
  ASSERT_TRUE(m.LoadWindows(w.Build(false)));
  EXPECT_FALSE(m.Placeable());
  EXPECT_EQ(m.Width(), 99);
  EXPECT_EQ(m.Height(), 49);
  TEMFBuilder e;
  ASSERT_TRUE(m.LoadEnhanced(e.Build(200, 100)));
  EXPECT_NEAR(m.Width(), 200, 1);
  EXPECT_NEAR(m.Height(), 100, 1);

  int width = 400, height = 200;
  FitMetafileSize(width, height, 130);
  EXPECT_EQ(width, 130);
  EXPECT_EQ(height, 65);
  width = 100, height = 300;
  FitMetafileSize(width, height, 130);
  EXPECT_EQ(width, 43);
  EXPECT_EQ(height, 130);
  width = 100, height = 50;
  FitMetafileSize(width, height, 130);
  EXPECT_EQ(width, 100);
  EXPECT_EQ(height, 50);
}

TEST(MetafileInfo, VersionAndColours) {
  TWMFBuilder w;
  TPGFileInfo info = Info(tWMFFileFormatReader(), w.Build(true));
  EXPECT_EQ(info.VersionText, "Placeable, Aldus header");
  EXPECT_EQ(info.ColorsText, "16.7M");
  EXPECT_EQ(info.BitsPerPixel, 24);
  EXPECT_EQ(info.Width, 100);
  info = Info(tWMFFileFormatReader(), w.Build(false));
  EXPECT_EQ(info.VersionText, "No header");
  TEMFBuilder e;
  info = Info(tEMFFileFormatReader(), e.Build(30, 30, 108, std::vector<std::uint32_t>(16, 0x0000FF)));
  EXPECT_EQ(info.ColorsText, "16");
  EXPECT_EQ(info.BitsPerPixel, 4);
  EXPECT_EQ(info.VersionText, "");
  EXPECT_THROW(Info(tEMFFileFormatReader(), TMetaBytes(50, 1)), EPixelGraphic);
}

TEST(MetafilePlayback, WindowsRectangleLineAndWindowMapping) {
  TWMFBuilder w;
  w.Record(wmfSetWindowExt, {500, 1000});  // window extent 1000 x 500 over the 100 x 50 picture
  SolidBrush(w, 0x0000FF);
  w.Record(wmfCreatePenIndirect, {5, 0, 0, 0, 0});  // null pen
  w.Record(wmfSelectObject, {1});
  w.Record(wmfRectangle, {500, 500, 0, 0});  // rectangle: bottom, right, top, left
  TPixelGraphic image;
  Load(image, w.Build(true), "wmf");
  ASSERT_EQ(image.Width(), 100);
  ASSERT_EQ(image.Height(), 50);
  EXPECT_EQ(image.PixelFormat(), pf24Bit);
  EXPECT_TRUE(IsRed(image.PixelColor(10, 10)));
  EXPECT_TRUE(IsRed(image.PixelColor(45, 40)));
  EXPECT_TRUE(IsWhite(image.PixelColor(60, 10)));  // the right half stays white
}

TEST(MetafilePlayback, SaveAndRestoreKeepTheBrushAndClipLimitsDrawing) {
  TWMFBuilder w;
  SolidBrush(w, 0x0000FF);
  w.Record(wmfCreatePenIndirect, {5, 0, 0, 0, 0});
  w.Record(wmfSelectObject, {1});
  w.Record(wmfSaveDC, {});  // SaveDC
  w.Record(wmfCreateBrushIndirect, {0, 0xFF00, 0, 0});  // green brush
  w.Record(wmfSelectObject, {2});
  w.Record(wmfRestoreDC, {-1});  // RestoreDC: red again
  w.Record(wmfIntersectClipRect, {50, 50, 0, 0});  // clip to the left half (bottom, right, top, left)
  w.Record(wmfRectangle, {50, 100, 0, 0});
  TPixelGraphic image;
  Load(image, w.Build(true), "wmf");
  EXPECT_TRUE(IsRed(image.PixelColor(20, 20)));
  EXPECT_TRUE(IsWhite(image.PixelColor(80, 20)));
}

TEST(MetafilePlayback, TextIsDrawnInTheTextColour) {
  TWMFBuilder w;
  w.Record(wmfSetTextColor, {0x00FF, 0});  // red text
  w.Record(wmfSetBkMode, {1});          // transparent background
  w.Record(wmfCreateFontIndirect, {-30, 0, 0, 0, 700, 0, 0, 0, 0, 0x4144, 0});  // 30-unit bold font
  w.Record(wmfSelectObject, {0});
  w.RecordBytes(wmfTextOut, {4, 0, 'H', 'H', 'H', 'H', 5, 0, 5, 0});  // TEXTOUT "HHHH" at 5, 5
  TPixelGraphic image;
  Load(image, w.Build(true), "wmf");
  int red = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 100; ++x) red += IsRed(image.PixelColor(x, y));
  EXPECT_GT(red, 50);
  EXPECT_TRUE(IsWhite(image.PixelColor(95, 45)));
}

TEST(MetafilePlayback, TextBackgroundFollowsTheBackgroundMode) {
  for (int mode : {1, 2}) {  // TRANSPARENT, OPAQUE
    TWMFBuilder w;
    SolidBrush(w, 0x00FF00);
    w.Record(wmfRectangle, {50, 100, 0, 0});  // green everywhere
    w.Record(wmfSetBkColor, {0x00FF, 0});      // red background colour
    w.Record(wmfSetBkMode, {mode});
    w.Record(wmfCreateFontIndirect, {-30, 0, 0, 0, 400, 0, 0, 0, 0, 0});
    w.Record(wmfSelectObject, {1});
    w.RecordBytes(wmfTextOut, {1, 0, '.', 0, 5, 0, 5, 0});  // a dot leaves most of its cell empty
    TPixelGraphic image;
    Load(image, w.Build(true), "wmf");
    // Near the top of the text cell, where a dot has no ink.
    const TRGB c = image.PixelColor(7, 8);
    if (mode == 1) EXPECT_GT(GreenOf(c), 200) << "transparent";
    else EXPECT_TRUE(IsRed(c)) << "opaque";
  }
}

TEST(MetafilePlayback, WindowsRegionsFillAndClip) {
  TWMFBuilder w;
  // Region object: one scan from y 0 to 50 covering x 0..25 and 50..75.
  w.Record(wmfCreateRegion, {0, 6, 0, 0, 0, 1, 0, 0, 0, 75, 50, 4, 0, 50, 0, 25, 50, 75, 4});
  w.Record(wmfCreateBrushIndirect, {0, 0x00FF, 0, 0});  // red brush (object 1)
  w.Record(wmfFillRegion, {0, 1});             // FILLREGION region 0 with brush 1
  w.Record(wmfSelectClipRegion, {0});                // clip to the region
  w.Record(wmfCreateBrushIndirect, {0, 0xFF00, 0, 0});  // green brush (object 2)
  w.Record(wmfSelectObject, {2});
  w.Record(wmfCreatePenIndirect, {5, 0, 0, 0, 0});
  w.Record(wmfSelectObject, {3});
  w.Record(wmfRectangle, {50, 100, 25, 0});  // lower half, clipped to the region
  TPixelGraphic image;
  Load(image, w.Build(true), "wmf");
  EXPECT_TRUE(IsRed(image.PixelColor(10, 10)));
  EXPECT_TRUE(IsWhite(image.PixelColor(35, 10)));
  EXPECT_TRUE(IsRed(image.PixelColor(60, 10)));
  EXPECT_GT(GreenOf(image.PixelColor(10, 40)), 200);
  EXPECT_TRUE(IsWhite(image.PixelColor(35, 40)));
  EXPECT_TRUE(IsWhite(image.PixelColor(90, 40)));
}

TEST(MetafilePlayback, EscapementTurnsTheBaselineCounterClockwise) {
  // With the y axis pointing up in logical space the same escapement runs the other way.
  for (bool flipped : {false, true}) {
    TWMFBuilder w;
    w.Record(wmfSetMapMode, {8});  // MM_ANISOTROPIC
    if (flipped) {
      w.Record(wmfSetWindowOrg, {50, 0});    // window origin (0, 50)
      w.Record(wmfSetWindowExt, {-50, 100});  // window extent (100, -50)
    }
    w.Record(wmfSetBkMode, {1});
    w.Record(wmfSetTextAlign, {24});  // TA_BASELINE
    w.Record(wmfCreateFontIndirect, {-14, 0, flipped ? 2700 : 900, 0, 700, 0, 0, 0, 0, 0});
    w.Record(wmfSelectObject, {0});
    w.RecordBytes(wmfTextOut, {4, 0, 'W', 'W', 'W', 'W', static_cast<unsigned char>(flipped ? 5 : 45), 0, 30, 0});  // at (30, 45) on the picture
    TPixelGraphic image;
    Load(image, w.Build(true), "wmf");
    int above = 0, right = 0;
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 100; ++x) {
        if (RedOf(image.PixelColor(x, y)) > 128) continue;
        if (y < 30 && x < 35) ++above;
        if (x > 50) ++right;
      }
    EXPECT_GT(above, 20) << flipped;
    EXPECT_EQ(right, 0) << flipped;
  }
}

TEST(MetafilePlayback, DashedPensLeaveGaps) {
  TWMFBuilder w;
  w.Record(wmfCreatePenIndirect, {1, 0, 0, 0, 0});  // PS_DASH, black, one pixel
  w.Record(wmfSelectObject, {0});
  w.Record(wmfMoveTo, {25, 0});
  w.Record(wmfLineTo, {25, 100});
  TPixelGraphic image;
  Load(image, w.Build(true), "wmf");
  int ink = 0, paper = 0;
  for (int x = 0; x < 100; ++x) {
    // A one-pixel line on a pixel edge covers the rows on both sides.
    const TRGB a = image.PixelColor(x, 24), b = image.PixelColor(x, 25);
    if (RedOf(a) < 230 || RedOf(b) < 230) ++ink;
    else if (IsWhite(a) && IsWhite(b)) ++paper;
  }
  EXPECT_GT(ink, 40);
  EXPECT_GT(paper, 10);
}

TEST(MetafilePlayback, EnhancedRegionsAndGradients) {
  TEMFBuilder e;
  e.Record(emrCreateBrushIndirect, {1, 0, 0x0000FF, 0});  // red brush, not selected
  // FILLRGN over the left quarter: bounds, size, brush, region header and one rectangle.
  e.Record(emrFillRgn, {0, 0, 0, 0, 48, 1, 32, 1, 1, 16, 0, 0, 25, 50, 0, 0, 25, 50});
  // GRADIENTFILL of the right half, black at its left edge to white at its right.
  e.Record(emrGradientFill, {0, 0, 0, 0, 2, 1, 0,
                 50, 0, 0, 0,                        // vertex (50, 0), black
                 100, 50, static_cast<std::int32_t>(0xFF00FF00u), static_cast<std::int32_t>(0xFF00u),
                 0, 1});
  TPixelGraphic image;
  Load(image, e.Build(100, 50), "emf");
  EXPECT_TRUE(IsRed(image.PixelColor(10, 25)));
  EXPECT_TRUE(IsWhite(image.PixelColor(40, 25)));
  EXPECT_LT(GreenOf(image.PixelColor(52, 25)), 40);
  EXPECT_GT(GreenOf(image.PixelColor(97, 25)), 215);
  EXPECT_LT(GreenOf(image.PixelColor(70, 25)), GreenOf(image.PixelColor(85, 25)));
}

TEST(MetafilePlayback, RecordsThatLieAboutTheirDataEndPlaybackCleanly) {
  TWMFBuilder w;
  SolidBrush(w, 0x0000FF);
  w.Record(wmfRectangle, {50, 50, 0, 0});
  w.Record(wmfPolygon, {30000, 1, 1, 2, 2});  // polygon claiming 30000 points
  w.Record(wmfRectangle, {50, 100, 0, 50});     // never reached
  TPixelGraphic image;
  Load(image, w.Build(true), "wmf");
  EXPECT_TRUE(IsRed(image.PixelColor(20, 20)));
  EXPECT_TRUE(IsWhite(image.PixelColor(80, 20)));

  // A record size beyond the file ends the record list.
  TMetaBytes cut = w.Build(true);
  cut.resize(cut.size() - 12);
  Load(image, cut, "wmf");
  EXPECT_TRUE(IsRed(image.PixelColor(20, 20)));
}

TEST(MetafilePlayback, EnhancedShapesPathsAndBitmaps) {
  TEMFBuilder e;
  e.Record(emrCreateBrushIndirect, {1, 0, 0x0000FF, 0});  // red brush
  e.Record(emrSelectObject, {1});
  e.Record(emrSelectObject, {static_cast<std::int32_t>(0x80000008u)});  // NULL_PEN
  e.Record(emrBeginPath, {});                                         // begin path
  e.Record(emrRectangle, {0, 0, 49, 49});                             // rectangle into the path
  e.Record(emrEndPath, {});
  e.Record(emrFillPath, {0, 0, 49, 49});  // fill path
  // STRETCHDIBITS of a 2 x 1 bitmap (blue, green) into the right half.
  TMetaBytes p;
  for (int v : {0, 0, 0, 0}) MPut32(p, static_cast<std::uint32_t>(v));  // bounds
  for (int v : {50, 0, 0, 0, 2, 1}) MPut32(p, static_cast<std::uint32_t>(v));  // dest x,y src x,y,w,h
  MPut32(p, 80);  // offBmi (from the record start)
  MPut32(p, 40);
  MPut32(p, 120);  // offBits
  MPut32(p, 8);
  MPut32(p, 0);           // DIB_RGB_COLORS
  MPut32(p, 0x00CC0020);  // SRCCOPY
  MPut32(p, 50);
  MPut32(p, 50);
  for (std::uint32_t v : {40u, 2u, 1u}) MPut32(p, v);
  MPut16(p, 1);
  MPut16(p, 24);
  for (int i = 0; i < 6; ++i) MPut32(p, 0);
  for (int v : {255, 0, 0, 0, 255, 0, 0, 0}) p.push_back(static_cast<std::uint8_t>(v));
  e.RecordBytes(emrStretchDIBits, p);
  TPixelGraphic image;
  Load(image, e.Build(100, 50), "emf");
  ASSERT_EQ(image.Width(), 100);
  EXPECT_TRUE(IsRed(image.PixelColor(20, 20)));
  const TRGB left = image.PixelColor(60, 25), right = image.PixelColor(90, 25);
  EXPECT_GT(BlueOf(left), 200);
  EXPECT_LT(RedOf(left), 60);
  EXPECT_GT(GreenOf(right), 200);
  EXPECT_LT(BlueOf(right), 60);
}

TEST(MetafilePlayback, EnhancedPolyDrawAndSmallTextOut) {
  TEMFBuilder e;
  e.Record(emrCreatePen, {1, 0, 3, 0, 0x0000FF});  // red pen, 3 units wide
  e.Record(emrSelectObject, {1});
  // POLYDRAW: move to (10, 10), lines to (90, 10) and (90, 40), closing the figure.
  TMetaBytes p;
  for (int v : {0, 0, 0, 0, 3, 10, 10, 90, 10, 90, 40}) MPut32(p, static_cast<std::uint32_t>(v));
  for (int type : {6, 2, 3}) p.push_back(static_cast<std::uint8_t>(type));
  p.push_back(0);
  e.RecordBytes(emrPolyDraw, p);
  // SMALLTEXTOUT "WW" at (10, 20) in 8-bit characters without a clip rectangle.
  e.Record(emrSetTextColor, {0x00FF00});
  TMetaBytes t;
  for (int v : {10, 20, 2, 0x300, 1, 0, 0}) MPut32(t, static_cast<std::uint32_t>(v));
  for (int c : {0x57, 0x57, 0, 0}) t.push_back(static_cast<std::uint8_t>(c));  // "WW"
  e.RecordBytes(emrSmallTextOut, t);
  TPixelGraphic image;
  Load(image, e.Build(100, 50), "emf");
  EXPECT_TRUE(IsRed(image.PixelColor(50, 10)));
  EXPECT_TRUE(IsRed(image.PixelColor(90, 25)));
  EXPECT_TRUE(IsRed(image.PixelColor(50, 25)));  // the closing line from (90, 40) to (10, 10)
  int green = 0;
  for (int y = 20; y < 40; ++y)
    for (int x = 10; x < 40; ++x) green += GreenOf(image.PixelColor(x, y)) > 150 && RedOf(image.PixelColor(x, y)) < 100;
  EXPECT_GT(green, 5);
}

TEST(MetafilePlayback, EnhancedPaletteGivesAPalettePictureOnWhite) {
  TEMFBuilder e;
  std::vector<std::uint32_t> palette(16);
  for (int i = 0; i < 16; ++i) palette[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(i * 0x101010);
  palette[15] = 0xFFFFFF;
  TPixelGraphic image;
  Load(image, e.Build(20, 10, 108, palette), "emf");
  EXPECT_EQ(image.PixelFormat(), pf4Bit);
  EXPECT_EQ(image.PaletteCount(), 16);
  EXPECT_TRUE(IsWhite(image.PixelColor(5, 5)));
}

TEST(MetafilePlayback, PreviewLoadFitsInto130) {
  TWMFBuilder w;
  TPixelGraphic image;
  image.PreviewLoad = true;
  Load(image, w.Build(true, 400, 200, 96), "wmf");
  EXPECT_EQ(image.Width(), 130);
  EXPECT_EQ(image.Height(), 65);
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
