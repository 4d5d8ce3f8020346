// The print core without Qt: units, page frame, pagination, the listing report, preview zoom
// and navigation, and page-setup checking and storage.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>

#include "print/core/FolderFiles.h"
#include "print/core/ListingReport.h"
#include "print/core/PageFrame.h"
#include "print/core/PageSetup.h"
#include "print/core/PageSetupStore.h"
#include "print/core/Paginator.h"
#include "print/core/PreviewNavigation.h"
#include "print/core/PreviewZoom.h"

namespace {

namespace fs = std::filesystem;

TPageMetrics Letter(int dpi) {
  TPageMetrics m;
  m.ResX = m.ResY = dpi;
  m.PageWidth = static_cast<int>(8.5 * dpi);
  m.PageHeight = 11 * dpi;
  return m;
}

TEST(PrintUnits, MarginsBecomeReferencePixelsInEitherUnit) {
  EXPECT_EQ(UnitsToPixels(1.0, 600, TUnits::unInches), 600);
  EXPECT_EQ(UnitsToPixels(2.54, 600, TUnits::unCentimeters), 600);
  EXPECT_EQ(UnitsToPixels(2.5, 300, TUnits::unCentimeters), 295);  // 295.27...
  // Halves round to even.
  EXPECT_EQ(UnitsToPixels(2.5, 1, TUnits::unInches), 2);
  EXPECT_EQ(UnitsToPixels(3.5, 1, TUnits::unInches), 4);
  // Corrupt values never overflow.
  EXPECT_EQ(UnitsToPixels(1e300, 600, TUnits::unInches), std::numeric_limits<int>::max());
  EXPECT_EQ(UnitsToPixels(-1e300, 600, TUnits::unInches), std::numeric_limits<int>::min());
  EXPECT_EQ(UnitsToPixels(std::nan(""), 600, TUnits::unInches), 0);
  EXPECT_DOUBLE_EQ(PixelsToUnits(1200, 600, TUnits::unCentimeters), 5.08);
  EXPECT_EQ(PixelsToUnits(100, 0, TUnits::unInches), 0.0);
}

TEST(PageMetrics, FallbackIsUSLetterAtScreenResolution) {
  const TPageMetrics m = FallbackPageMetrics(96, TOrientation::poPortrait);
  EXPECT_EQ(m.ResX, 96);
  EXPECT_EQ(m.PageWidth, 816);
  EXPECT_EQ(m.PageHeight, 1056);
  const TPageMetrics l = FallbackPageMetrics(0, TOrientation::poLandscape);
  EXPECT_EQ(l.PageWidth, 1056);
  EXPECT_EQ(l.PageHeight, 816);
  EXPECT_TRUE(UsablePageMetrics(m));
  TPageMetrics bad = m;
  bad.ResY = 0;
  EXPECT_FALSE(UsablePageMetrics(bad));
}

TEST(PageFrame, MarginsHeaderAndFooterFromThePaperEdges) {
  const TTextOptions options;  // 1 inch margins, header 0.5, footer 0.75
  const TPageFrame f = ComputePageFrame(Letter(600), options, TUnits::unInches);
  EXPECT_EQ(f.Left, 600);
  EXPECT_EQ(f.Top, 600);
  EXPECT_EQ(f.RightMargin, 600);
  EXPECT_EQ(f.BottomLimit, 6000);
  EXPECT_EQ(f.HeaderY, 300);
  EXPECT_EQ(f.FooterY, 6600 - 450);
  EXPECT_EQ(AlignedTextX(TAlignment::taLeftJustify, 1000, f), 600);
  EXPECT_EQ(AlignedTextX(TAlignment::taRightJustify, 1000, f), 5100 - 600 - 1000);
  EXPECT_EQ(AlignedTextX(TAlignment::taCenter, 1001, f), 2550 - 500);
}

TEST(Paginator, HundredLinesAtFortyAPageGiveThreePages) {
  TPageFrame f = ComputePageFrame(Letter(600), TTextOptions(), TUnits::unInches);
  const int height = (f.BottomLimit - f.Top) / 40;  // 40 lines fit, a 41st does not
  TPaginator p(f);
  std::vector<int> pageStarts;
  for (int i = 0; i < 100; ++i) {
    const TLinePlacement place = p.Place(height, false);
    if (place.StartsPage) {
      pageStarts.push_back(i);
      EXPECT_EQ(place.NeedsNewPage, i > 0);
      EXPECT_EQ(place.Y, f.Top);
    }
    EXPECT_EQ(place.PageNumber, i / 40 + 1);
    EXPECT_EQ(place.Y, f.Top + (i % 40) * height);
    EXPECT_EQ(place.Rect.Right, 5100 - 600 + 1);
    EXPECT_EQ(place.Rect.Bottom, place.Y + height + 1);
  }
  EXPECT_EQ(pageStarts, (std::vector<int>{0, 40, 80}));
  EXPECT_EQ(p.PageCount(), 3);
}

TEST(Paginator, ForcedPagesTallLinesAndInvalidHeights) {
  const TPageFrame f = ComputePageFrame(Letter(100), TTextOptions(), TUnits::unInches);
  TPaginator p(f);
  // Forcing a new page before anything is on a page does not leave a blank first page.
  TLinePlacement first = p.Place(10, true);
  EXPECT_TRUE(first.StartsPage);
  EXPECT_FALSE(first.NeedsNewPage);
  EXPECT_EQ(first.PageNumber, 1);
  EXPECT_TRUE(p.Place(10, true).NeedsNewPage);
  // A line taller than the body gets a page of its own; the next one starts another.
  const TLinePlacement tall = p.Place(5000, false);
  EXPECT_TRUE(tall.StartsPage);
  EXPECT_EQ(tall.PageNumber, 3);
  EXPECT_TRUE(p.Place(10, false).StartsPage);
  EXPECT_EQ(p.PageCount(), 4);
  try {
    p.Place(-1, false);
    FAIL() << "no error for a height of -1";
  } catch (const EInvalidLineHeight& e) {
    EXPECT_STREQ(e.what(), "OnOwnerHeight Event returned an invalid height!");
  }
}

TEST(TextOptions, DefaultsAndPageNumbersFormattedSafely) {
  const TTextOptions o;
  EXPECT_EQ(o.BodyFont.Name, "Arial");
  EXPECT_EQ(o.BodyFont.Size, 10);
  EXPECT_TRUE(o.HeaderFont.Bold);
  EXPECT_EQ(o.HeaderFont.Size, 18);
  EXPECT_TRUE(o.FooterFont.Italic);
  EXPECT_EQ(o.PageNumFont, o.FooterFont);
  EXPECT_EQ(o.PrintPageNumber, TPageNumberPosition::pnBottom);
  EXPECT_EQ(o.PageNumAlign, TAlignment::taRightJustify);
  EXPECT_EQ(FormatPageNumber(o.PageNumText, 3), "Page 3");
  EXPECT_EQ(FormatPageNumber("%d/%d 100%%", 7), "7/7 100%");
  // Other "%" codes are printed as typed, never interpreted.
  EXPECT_EQ(FormatPageNumber("%s %n %", 2), "%s %n %");
  EXPECT_DOUBLE_EQ(PointsFromDesignPixels(13), 9.75);
}

TEST(ListingReport, SizesInKAndLines) {
  EXPECT_EQ(ListingLine("a.jpg", 0), "a.jpg  (1K)");
  EXPECT_EQ(ListingLine("b.jpg", 1023), "b.jpg  (1K)");
  EXPECT_EQ(ListingLine("c.jpg", 1024), "c.jpg  (2K)");
  EXPECT_EQ(ListingLine("d.jpg", 1048576), "d.jpg  (1025K)");
  EXPECT_EQ(ListingLine("gone.jpg", -1), "gone.jpg  (1K)");
  // 2 GiB and more in 64 bits.
  EXPECT_EQ(SizeInK(std::int64_t{3} << 30), 3145729);
  EXPECT_EQ(SizeInK(std::int64_t{1} << 42), (std::int64_t{1} << 32) + 1);
}

TEST(ListingReport, TheRootAloneKeepsItsSlash) {
  EXPECT_EQ(ListingBase("/"), "/");
  EXPECT_EQ(ListingBase("/a"), "/a/");  // short folders are folders like any other
  EXPECT_EQ(ListingBase("/ab"), "/ab/");
  EXPECT_EQ(ListingBase("/home/me/Pics"), "/home/me/Pics/");
  std::vector<std::string> asked;
  auto sizeOf = [&](const std::string& path) -> std::int64_t {
    asked.push_back(path);
    return 2048;
  };
  EXPECT_EQ(ListingLines("/", {"a.jpg"}, sizeOf), (std::vector<std::string>{"a.jpg  (3K)"}));
  ListingLines("/x", {"b.jpg", "a.jpg"}, sizeOf);
  EXPECT_EQ(asked, (std::vector<std::string>{"/a.jpg", "/x/b.jpg", "/x/a.jpg"}));
}

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() /
           ("lumivex-print-core-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(FDir);
    fs::create_directories(FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }
  void Write(const std::string& name, std::size_t bytes) const {
    std::ofstream(FDir / name, std::ios::binary) << std::string(bytes, 'x');
  }
  fs::path FDir;
};

TEST_F(TempFolder, FileSizesOfRealFilesIncludingHugeSparseOnes) {
  Write("small.bin", 1500);
  EXPECT_EQ(FileSizeOf((FDir / "small.bin").string()), 1500);
  EXPECT_EQ(FileSizeOf((FDir / "missing.bin").string()), -1);
  { std::ofstream(FDir / "huge.bin"); }
  std::error_code ec;
  fs::resize_file(FDir / "huge.bin", (std::uintmax_t{5} << 30) + 1, ec);
  if (!ec) {
    EXPECT_EQ(FileSizeOf((FDir / "huge.bin").string()), (std::int64_t{5} << 30) + 1);
  }
  EXPECT_EQ(ListingLines(FDir.string(), {"small.bin", "missing.bin"}),
            (std::vector<std::string>{"small.bin  (2K)", "missing.bin  (1K)"}));
}

TEST_F(TempFolder, FolderFilesMatchTheMaskInNameOrder) {
  for (const char* name : {"b.JPG", "a.jpg", "C.png", ".hidden.jpg", "notes.txt", "B.jpg"})
    Write(name, 1);
  fs::create_directory(FDir / "folder.jpg");
  fs::create_symlink(FDir / "a.jpg", FDir / "link.jpg");
  EXPECT_EQ(
      ListFolderFiles(FDir.string(), "*.jpg;*.png"),
      (std::vector<std::string>{".hidden.jpg", "a.jpg", "B.jpg", "b.JPG", "C.png", "link.jpg"}));
  EXPECT_EQ(ListFolderFiles(FDir.string(), " *.TXT "), (std::vector<std::string>{"notes.txt"}));
  EXPECT_TRUE(ListFolderFiles(FDir.string(), "").empty());
  EXPECT_THROW(ListFolderFiles((FDir / "absent").string(), "*"), fs::filesystem_error);
}

TEST(FolderFiles, Wildcards) {
  EXPECT_TRUE(WildcardMatches("*", ""));
  EXPECT_TRUE(WildcardMatches("*.jpg", "x.y.JPG"));
  EXPECT_TRUE(WildcardMatches("a?c*", "abcdef"));
  EXPECT_FALSE(WildcardMatches("a?c", "ac"));
  EXPECT_TRUE(WildcardMatches("*a*b*c", "xxaxxbxxbxc"));
  EXPECT_FALSE(WildcardMatches("*.jpg", "x.jpeg"));
  EXPECT_TRUE(WildcardMatches("*", "*star"));
  EXPECT_EQ(SplitMask("*.a; ;*.b;"), (std::vector<std::string>{"*.a", "*.b"}));
  // A long run of stars against a long name finishes at once.
  EXPECT_FALSE(WildcardMatches(std::string(200, '*') + "x", std::string(5000, 'a')));
}

TEST(ListingReport, EngineSetupAndWhatEveryRunOverrides) {
  const TListingEngineSetup s = ListingEngineSetup();
  EXPECT_EQ(s.Text.BodyFont.Name, "Arial");
  EXPECT_DOUBLE_EQ(s.Text.BodyFont.Size, 9.75);  // 13 pixels on a 96 dpi screen
  EXPECT_DOUBLE_EQ(s.Text.HeaderFont.Size, 18);  // 24 pixels
  EXPECT_TRUE(s.Text.HeaderFont.Bold);
  EXPECT_EQ(s.Text.Footer, "Lumivex Directory Report");
  EXPECT_EQ(s.Text.FooterAlign, TAlignment::taLeftJustify);
  EXPECT_EQ(s.Text.PageNumAlign, TAlignment::taRightJustify);
  EXPECT_FALSE(s.ShowGrid);

  TTextOptions o = s.Text;
  o.FooterAlign = TAlignment::taCenter;
  o.FooterFont.Bold = o.FooterFont.Underline = true;
  o.FooterFont.Italic = false;
  o.FooterFont.Name = "Courier";
  o.Footer = "Mine";
  o.PrintPageNumber = TPageNumberPosition::pnTop;
  ApplyListingRunOptions(o, "/home/me");
  EXPECT_EQ(o.Header, "/home/me");
  EXPECT_EQ(o.FooterAlign, TAlignment::taLeftJustify);
  EXPECT_TRUE(o.FooterFont.Italic);
  EXPECT_FALSE(o.FooterFont.Bold);
  EXPECT_FALSE(o.FooterFont.Underline);
  EXPECT_EQ(o.FooterFont.Name, "Courier");  // face and size stay as page setup chose
  EXPECT_EQ(o.Footer, "Mine");
  EXPECT_EQ(o.PrintPageNumber, TPageNumberPosition::pnBottom);
}

TEST(PreviewZoom, FitToPageOfLetterInEightHundredPixels) {
  const double scale = FitToPageScale(800, 96, Letter(600));
  EXPECT_NEAR(scale, (800 - 20) / 96.0 / 11, 1e-12);
  EXPECT_EQ(ZoomPercentText(scale), "74%");
  EXPECT_NEAR(FitToWidthScale(800, 96, Letter(300)), 780 / 96.0 / 8.5, 1e-12);
  // Areas too small to show anything, or no usable page, never give 0 or less.
  EXPECT_GT(FitToPageScale(10, 96, Letter(600)), 0);
  EXPECT_GT(FitToWidthScale(-500, 96, Letter(600)), 0);
  EXPECT_EQ(FitToPageScale(800, 0, Letter(600)), 1.0);
  EXPECT_EQ(ClampZoomScale(std::nan("")), kMinZoomScale);
  EXPECT_EQ(ClampZoomScale(-3), kMinZoomScale);
  EXPECT_EQ(ZoomPercentText(12.345), "1,235%");
}

TEST(PreviewZoom, ChoicesAndToolSteps) {
  ASSERT_EQ(ZoomChoiceTexts().size(), 12u);
  EXPECT_EQ(ZoomChoiceTexts()[0], "Fit To Page");
  EXPECT_EQ(ZoomChoiceTexts()[2], "Custom");
  EXPECT_EQ(ZoomChoiceTexts()[11], "400%");
  EXPECT_EQ(ZoomChoiceScale(3), 0.25);
  EXPECT_EQ(ZoomChoiceScale(11), 4.0);
  EXPECT_EQ(ZoomChoiceScale(kZoomCustom), 1.0);
  EXPECT_EQ(ZoomChoiceScale(99), 1.0);
  double s = 1.0;
  std::vector<double> steps;
  for (int i = 0; i < 5; ++i) steps.push_back(s = ZoomInStep(s));
  EXPECT_EQ(steps, (std::vector<double>{1.5, 2.25, 3.375, 5.0625, 5.0625}));
  s = 0.5;
  while (ZoomOutStep(s) != s) s = ZoomOutStep(s);
  EXPECT_LE(s, 0.14);
  EXPECT_GT(s, 0.14 * 2 / 3);
}

TEST(PreviewZoom, LayoutCentresOneOrTwoPages) {
  // 100% of a Letter page at 96 dpi: 816 x 1056 views.
  const TPreviewLayout one = ComputePreviewLayout(1.0, false, Letter(600), 96, 1200, 700);
  EXPECT_EQ(one.ViewWidth, 816);
  EXPECT_EQ(one.ViewHeight, 1056);
  EXPECT_EQ(one.ContentWidth, 1199);
  EXPECT_EQ(one.ContentHeight, 1076);
  EXPECT_EQ(one.FirstY, 10);
  EXPECT_EQ(one.FirstX, 1199 / 2 - 816 / 2);
  // Two small pages side by side, centred both ways.
  const TPreviewLayout two = ComputePreviewLayout(0.25, true, Letter(600), 96, 1200, 700);
  EXPECT_EQ(two.ViewWidth, 204);
  EXPECT_EQ(two.ViewHeight, 264);
  EXPECT_EQ(two.ContentHeight, 699);
  EXPECT_EQ(two.FirstY, (699 - 264) / 2);
  EXPECT_EQ(two.FirstX, 1199 / 2 - (204 * 2 + 20) / 2);
  EXPECT_EQ(two.SecondX, two.FirstX + 204 + 20);
  // Wider than the area: pages start at 10 and the content grows.
  const TPreviewLayout wide = ComputePreviewLayout(2.0, true, Letter(600), 96, 800, 600);
  EXPECT_EQ(wide.FirstX, 10);
  EXPECT_EQ(wide.ContentWidth, 2 * 1632 + 40);
  // A clicked point ends up in the middle of the viewport.
  const TPreviewLayout bigger = ComputePreviewLayout(1.5, false, Letter(600), 96, 1200, 700);
  const TScrollTarget t = CentreOnZoomedPoint(400, 500, one, bigger, 1000, 600);
  EXPECT_EQ(t.X, bigger.FirstX + 600 - 500);
  EXPECT_EQ(t.Y, bigger.FirstY + 750 - 300);
}

TEST(PreviewNavigation, StatusAndMovesNeverPassTheEnds) {
  TPreviewNavigation nav;
  EXPECT_EQ(nav.StatusText(), "No pages");
  EXPECT_FALSE(nav.CanGoForward());
  EXPECT_FALSE(nav.CanGoBack());
  EXPECT_FALSE(nav.GoToPageNumber(1));
  nav.Last();
  EXPECT_EQ(nav.Current(), 0);
  nav.SetPageCount(3);
  EXPECT_EQ(nav.StatusText(), "Page 1 of 3");
  EXPECT_FALSE(nav.CanGoBack());
  EXPECT_TRUE(nav.CanGoForward());
  EXPECT_TRUE(nav.CanGoToPage());
  nav.Last();
  EXPECT_EQ(nav.StatusText(), "Page 3 of 3");
  nav.Next();
  EXPECT_EQ(nav.Current(), 2);
  EXPECT_FALSE(nav.GoToPageNumber(4));
  EXPECT_TRUE(nav.GoToPageNumber(2));
  EXPECT_EQ(nav.StatusText(), "Page 2 of 3");
  nav.SetPageCount(1);
  EXPECT_EQ(nav.StatusText(), "Page 1 of 1");
  EXPECT_FALSE(nav.CanGoToPage());
}

TEST(PageSetup, OneBadFieldChangesNothingAndIsNamed) {
  TPageSetupValues v;
  const TPageSetupValues before = v;
  TMarginTexts t{"2", "2", "x1", "2", "0.5", "0.75"};
  auto error = ReadMarginTexts(t, v, TPaperInches{});
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Field, "Top");
  EXPECT_EQ(error->Message, "'x1' is not a valid number for Top.");
  EXPECT_EQ(v, before);

  t = {"5", "4", "1", "1", "0.5", "0.75"};  // 9 inches of margins on 8.5 inch paper
  error = ReadMarginTexts(t, v, TPaperInches{});
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Field, "Left");
  EXPECT_EQ(v, before);

  t = {"1", "1", "1", "1", "-0.5", "0.75"};
  error = ReadMarginTexts(t, v, TPaperInches{});
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Field, "Header Margin");

  // Centimetres: 2.5 cm margins.
  v.Units = TUnits::unCentimeters;
  t = {"2.5", "2.5", "2.5", "2.5", "1.27", "1.9"};
  EXPECT_FALSE(ReadMarginTexts(t, v, TPaperInches{}));
  EXPECT_EQ(v.MarginLeft, 2.5);
  EXPECT_EQ(v.FooterMargin, 1.9);
  // 10 inches of left margin fit a landscape Letter page, not a portrait one.
  v.Units = TUnits::unInches;
  t = {"9", "1", "1", "1", "0.5", "0.75"};
  EXPECT_TRUE(ReadMarginTexts(t, v, TPaperInches{}));
  v.Orientation = TOrientation::poLandscape;
  EXPECT_FALSE(ReadMarginTexts(t, v, TPaperInches{}));
}

TEST(PageSetup, MarginTextsWithSeparators) {
  EXPECT_EQ(FormatMarginText(1.0), "1.000");
  EXPECT_EQ(FormatMarginText(1234.5), "1,234.500");
  EXPECT_EQ(FormatMarginText(2.54, ',', '.'), "2,540");
  EXPECT_EQ(ParseMarginText(" 1,234.5 "), 1234.5);
  EXPECT_EQ(ParseMarginText("2,54", ',', '.'), 2.54);
  EXPECT_FALSE(ParseMarginText(""));
  EXPECT_FALSE(ParseMarginText("1.2.3"));
  EXPECT_FALSE(ParseMarginText("inf"));
  EXPECT_FALSE(ParseMarginText("1e999"));
  EXPECT_FALSE(ParseMarginText("-"));
}

TEST(PageSetup, ValuesTravelBetweenEngineSettingsAndTheDialog) {
  TPageSettings s;
  s.Text.Header = "H";
  s.Text.PageNumFont.Size = 14;
  s.Units = TUnits::unCentimeters;
  TPageSetupValues v = PageSetupFrom(s);
  EXPECT_EQ(v.Header, "H");
  EXPECT_EQ(v.PageNumFont.Size, 14);
  v.Footer = "F";
  v.MarginBottom = 3;
  v.Orientation = TOrientation::poLandscape;
  TPageSettings out = s;
  out.Text.BodyFont.Size = 33;
  ApplyPageSetup(v, out);
  EXPECT_EQ(out.Text.Footer, "F");
  EXPECT_EQ(out.Text.MarginBottom, 3);
  EXPECT_EQ(out.Orientation, TOrientation::poLandscape);
  EXPECT_EQ(out.Text.BodyFont.Size, 33);  // not a page-setup field
  EXPECT_EQ(PageSetupFrom(out), v);
}

TEST(PageSetupStore, SavedDefaultsComeBackAndCorruptOnesAreIgnored) {
  TPageSetupValues saved;
  saved.Units = TUnits::unCentimeters;
  saved.MarginLeft = 2.5;
  saved.Header = "";
  saved.Footer = "My footer";
  saved.HeaderAlign = TAlignment::taRightJustify;
  saved.PrintPageNumber = TPageNumberPosition::pnTop;
  saved.FooterFont = MakeFont("Courier New", 12.5, true, false);
  saved.FooterFont.Color = 0x0000FF;
  std::map<std::string, std::string> store;
  for (const auto& [name, value] : PageSetupStoredValues(saved)) store[name] = value;
  EXPECT_EQ(store["rbCentimeters"], "1");
  EXPECT_EQ(store["rbInches"], "0");
  EXPECT_EQ(store["edLeft"], "2.500");
  EXPECT_EQ(store["FooterFontDialog_Name"], "Courier New");
  const TStoredLookup lookup = [&](const std::string& n) -> std::optional<std::string> {
    auto it = store.find(n);
    if (it == store.end()) return std::nullopt;
    return it->second;
  };
  TPageSetupValues loaded;
  loaded.Header = "designed";
  LoadStoredPageSetup(loaded, lookup, TPaperInches{});
  EXPECT_EQ(loaded, saved);

  // Corrupt values: each is ignored on its own.
  store["edTop"] = "garbage";
  store["rbPortrait"] = "1";
  store["rbLandscape"] = "1";  // two choices: neither wins
  store["FooterFontDialog_Size"] = "-4";
  store["HeaderFontDialog_Color"] = "blue";
  store["rbPageNumTop"] = "yes";
  TPageSetupValues designed;
  designed.MarginTop = 1.25;
  designed.Orientation = TOrientation::poLandscape;
  LoadStoredPageSetup(designed, lookup, TPaperInches{});
  EXPECT_EQ(designed.MarginTop, 1.25);
  EXPECT_EQ(designed.MarginLeft, 2.5);
  EXPECT_EQ(designed.Orientation, TOrientation::poLandscape);
  EXPECT_EQ(designed.FooterFont.Size, 10.0);  // the designed size stays
  EXPECT_EQ(designed.FooterFont.Name, "Courier New");
  EXPECT_EQ(designed.HeaderFont.Color, 0u);
  EXPECT_EQ(designed.PrintPageNumber, TPageNumberPosition::pnBottom);

  // Margins that do not fit the paper are all ignored, together with their units.
  store["edTop"] = "1";
  store["edLeft"] = "50";
  TPageSetupValues fresh;
  LoadStoredPageSetup(fresh, lookup, TPaperInches{});
  EXPECT_EQ(fresh.Units, TUnits::unInches);
  EXPECT_EQ(fresh.MarginLeft, 1.0);
  EXPECT_EQ(fresh.Footer, "My footer");
}

}  // namespace
