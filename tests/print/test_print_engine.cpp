// The page-recording engine: pagination with header, footer and page numbers, the listing
// report, replay at other resolutions, PDF output, copies and saved page-setup defaults.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QFontInfo>
#include <QPainter>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <fstream>

#include "platform/Settings.h"
#include "print/DirectoryListing.h"
#include "print/PageSetupDefaults.h"
#include "print/PreviewPrinter.h"
#include "print/PrintOutput.h"
#include "print/core/FolderFiles.h"
#include "print/core/Paginator.h"
#include "tests/print/PdfReader.h"

namespace {

TPageMetrics Letter(int dpi, int offset = 0) {
  TPageMetrics m;
  m.ResX = m.ResY = dpi;
  m.PageWidth = dpi * 17 / 2;
  m.PageHeight = dpi * 11;
  m.OffsetX = m.OffsetY = offset;
  return m;
}

class PrintEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings(QStringLiteral("Corvane"), QStringLiteral("LumivexTrial"))
        .remove(QStringLiteral("PageSetupForm"));
    ASSERT_TRUE(FDir.isValid());
  }
  QString Path(const QString& name) const { return FDir.path() + '/' + name; }
  QTemporaryDir FDir;
};

TEST_F(PrintEngine, HundredLinesAtFortyAPageWithHeaderFooterAndPageNumbers) {
  TPreviewPrinter engine;
  engine.SetReferenceMetrics(Letter(600));
  engine.TextOptions.Header = "Report header";
  engine.TextOptions.Footer = "Report footer";
  engine.TextOptions.DrawStyle = TDrawStyle::dsOwnerDrawVariable;
  const TPageFrame frame = ComputePageFrame(Letter(600), engine.TextOptions, engine.Units);
  const int height = (frame.BottomLimit - frame.Top) / 40;
  std::vector<int> newPages, drawnPages;
  engine.OnOwnerHeight = [&](int, int& h, bool&) { h = height; };
  engine.OnNewPage = [&](int page) { newPages.push_back(page); };
  engine.OnOwnerDraw = [&](int page, int line, const QRect& r, QPainter& canvas) {
    drawnPages.push_back(page);
    EXPECT_EQ(r.height(), height + 1);
    canvas.drawText(r.topLeft() + QPoint(0, canvas.fontMetrics().ascent()),
                    QStringLiteral("Line%1").arg(line));
  };
  QStringList lines;
  for (int i = 0; i < 100; ++i) lines << QString();
  engine.PrintStrings(lines);
  ASSERT_EQ(engine.PageCount(), 3);
  EXPECT_EQ(newPages, (std::vector<int>{1, 2, 3}));
  ASSERT_EQ(drawnPages.size(), 100u);
  EXPECT_EQ(drawnPages[39], 1);
  EXPECT_EQ(drawnPages[40], 2);
  EXPECT_EQ(drawnPages[99], 3);

  const QString pdf = Path("hundred.pdf");
  ASSERT_TRUE(SavePagesAsPdf(engine, pdf));
  ASSERT_EQ(PdfPageCount(pdf), 3);
  for (int page = 1; page <= 3; ++page) {
    const QString text = PdfText(pdf, page);
    EXPECT_TRUE(text.contains("Report header")) << text.toStdString();
    EXPECT_TRUE(text.contains("Report footer"));
    EXPECT_TRUE(text.contains(QStringLiteral("Page %1").arg(page)));
    EXPECT_TRUE(text.contains(QStringLiteral("Line%1").arg((page - 1) * 40)));
  }
  // "Page 3" ends at the right margin (1 inch from the right edge of 8.5 inches) with its
  // top at the footer height (0.75 inch above the bottom edge).
  bool found = false;
  for (const TPdfWord& w : PdfWords(pdf)) {
    if (w.Page != 3 || w.Text != "3" || w.YMin < 700) continue;
    found = true;
    EXPECT_NEAR(w.XMax, 612 - 72, 1.5);
    EXPECT_GE(w.YMin, 792 - 54 - 1);
    EXPECT_LE(w.YMin, 792 - 54 + 6);
  }
  EXPECT_TRUE(found);
}

TEST_F(PrintEngine, ListingShowsSizesInKInNameOrder) {
  QTemporaryDir folder;
  const std::pair<const char*, int> files[] = {
      {"d_mega.jpg", 1048576}, {"a_empty.jpg", 0}, {"c_1024.jpg", 1024}, {"b_1023.jpg", 1023}};
  for (const auto& [name, size] : files)
    std::ofstream((folder.path() + '/' + name).toStdString(), std::ios::binary)
        << std::string(static_cast<std::size_t>(size), 'x');
  TPreviewPrinter engine;
  ConfigureListingEngine(engine);
  engine.SetReferenceMetrics(Letter(600));
  QStringList entries;
  for (const std::string& n : ListFolderFiles(folder.path().toStdString(), "*.jpg"))
    entries << QString::fromStdString(n);
  RecordDirectoryListing(engine, folder.path(), entries);
  ASSERT_EQ(engine.PageCount(), 1);
  const QString pdf = Path("listing.pdf");
  ASSERT_TRUE(SavePagesAsPdf(engine, pdf));
  const QString text = PdfText(pdf);
  const QStringList expected = {"a_empty.jpg (1K)", "b_1023.jpg (1K)", "c_1024.jpg (2K)",
                                "d_mega.jpg (1025K)"};
  qsizetype at = 0;
  for (const QString& line : expected) {
    const qsizetype found = text.indexOf(line, at);
    EXPECT_GE(found, at) << line.toStdString() << " in\n" << text.toStdString();
    at = std::max(at, found);
  }
  EXPECT_TRUE(text.contains(folder.path()));
  EXPECT_TRUE(text.contains("Lumivex Directory Report"));
  EXPECT_TRUE(text.contains("Page 1"));
}

TEST_F(PrintEngine, ListingLayoutIsTheSameAtScreenAndPrinterResolution) {
  QStringList entries;
  for (int i = 0; i < 150; ++i) entries << QStringLiteral("picture_%1.jpg").arg(i);
  int pages[2] = {0, 0};
  int dpis[2] = {96, 600};
  for (int i = 0; i < 2; ++i) {
    TPreviewPrinter engine;
    ConfigureListingEngine(engine);
    engine.SetReferenceMetrics(Letter(dpis[i]));
    RecordDirectoryListing(engine, QStringLiteral("/tmp"), entries);
    pages[i] = engine.PageCount();
  }
  // Body text of 13 design pixels: about fifty lines on the nine inches between the margins,
  // whatever the resolution (a 600 dpi page is not filled with tiny print).
  EXPECT_EQ(pages[0], pages[1]);
  EXPECT_GE(pages[1], 3);
  EXPECT_LE(pages[1], 4);
  const QFont body = TPreviewPrinter::DeviceFont(MakeFont("Arial", 10));
  TPagePicture picture(Letter(600));
  QPainter painter(&picture);
  painter.setFont(body);
  EXPECT_NEAR(QFontInfo(painter.font()).pixelSize(), 10 * 600 / 72, 1);
  // The faces the reports name print in their metric-compatible families.
  EXPECT_EQ(QFontInfo(TPreviewPrinter::DeviceFont(MakeFont("Arial", 10))).family(),
            "Liberation Sans");
  EXPECT_EQ(QFontInfo(TPreviewPrinter::DeviceFont(MakeFont("Times New Roman", 10))).family(),
            "Liberation Serif");
}

TEST_F(PrintEngine, EmptyRecordingsLeaveNoPages) {
  TPreviewPrinter engine;
  engine.SetReferenceMetrics(Letter(300));
  std::vector<std::pair<QString, int>> status;
  engine.OnStatus = [&](const QString& m, int page, TPrintStatus kind) {
    status.emplace_back(m, static_cast<int>(kind));
    if (kind == TPrintStatus::psRecordingComplete) {
      EXPECT_EQ(page, -1);
    }
  };
  engine.BeginDoc();
  EXPECT_TRUE(engine.Recording());
  engine.EndDoc();
  EXPECT_EQ(engine.PageCount(), 0);
  EXPECT_EQ(status, (std::vector<std::pair<QString, int>>{{"Paginating page 1", 0},
                                                          {"Pagination Complete", 2}}));
  RecordDirectoryListing(engine, QStringLiteral("/"), {});
  EXPECT_EQ(engine.PageCount(), 0);
  QString error;
  EXPECT_FALSE(SavePagesAsPdf(engine, Path("none.pdf"), &error));
  EXPECT_EQ(error, "There are no pages to save.");
  EXPECT_FALSE(QFile::exists(Path("none.pdf")));
  // A caller that starts a page after its last item leaves no blank page.
  engine.BeginDoc();
  engine.Canvas()->drawLine(0, 0, 10, 10);
  engine.NewPage();
  engine.EndDoc();
  EXPECT_EQ(engine.PageCount(), 1);
}

TEST_F(PrintEngine, OwnerLinesWithoutAHeightFailCleanly) {
  TPreviewPrinter engine;
  engine.SetReferenceMetrics(Letter(300));
  engine.TextOptions.DrawStyle = TDrawStyle::dsOwnerDrawVariable;
  EXPECT_THROW(engine.PrintStrings({"a", "b"}), EInvalidLineHeight);
  EXPECT_FALSE(engine.Recording());
  EXPECT_EQ(engine.PageCount(), 0);
  EXPECT_EQ(engine.Canvas(), nullptr);
}

// A page recorded at 300 dpi (with an unprintable border) covers the same paper when printed
// at 600 dpi: scaled, never clipped or shifted.
TEST_F(PrintEngine, PagesKeepTheirSizeOnDevicesOfOtherResolutions) {
  TPreviewPrinter engine;
  engine.SetReferenceMetrics(Letter(300, 25));
  engine.BeginDoc();
  engine.Canvas()->fillRect(QRect(300, 300, 300, 600), Qt::black);    // 1..2 x 1..3 inches
  engine.Canvas()->fillRect(QRect(2250, 3000, 300, 300), Qt::black);  // bottom right corner
  engine.EndDoc();

  const QString written = Path("saved.pdf");
  ASSERT_TRUE(SavePagesAsPdf(engine, written, nullptr, 600));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("printed.pdf"));
  printer.setResolution(600);
  printer.setPageSize(QPageSize(QPageSize::Letter));
  ASSERT_TRUE(engine.PrintPages(printer, 0, 0));
  for (const QString& pdf : {written, Path("printed.pdf")}) {
    const QImage page = PdfPageImage(pdf, 1, 72);
    ASSERT_EQ(page.size(), QSize(612, 792)) << pdf.toStdString();
    const QRect top = DarkBox(page.copy(0, 0, 612, 400));
    EXPECT_NEAR(top.left(), 72, 1);
    EXPECT_NEAR(top.top(), 72, 1);
    EXPECT_NEAR(top.right(), 143, 1);
    EXPECT_NEAR(top.bottom(), 215, 1);
    const QRect corner = DarkBox(page.copy(400, 600, 212, 192));
    EXPECT_NEAR(corner.right() + 400, 611, 1);
    EXPECT_NEAR(corner.bottom() + 600, 791, 1);
  }
}

TEST_F(PrintEngine, CopiesOfAPageRangeIntoAFile) {
  TPreviewPrinter engine;
  engine.SetReferenceMetrics(Letter(300));
  engine.BeginDoc();
  for (int page = 1; page <= 5; ++page) {
    if (page > 1) engine.NewPage();
    engine.TextOutAligned(900, TAlignment::taCenter, nullptr, QStringLiteral("Sheet%1").arg(page));
  }
  engine.EndDoc();
  ASSERT_EQ(engine.PageCount(), 5);
  std::vector<QString> printing;
  bool complete = false;
  engine.OnStatus = [&](const QString& m, int, TPrintStatus kind) {
    if (kind == TPrintStatus::psPagePrinting) printing.push_back(m);
    complete = complete || (kind == TPrintStatus::psPrintComplete && m == "Print Job Complete");
  };
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("copies.pdf"));
  ASSERT_TRUE(PrintCopies(engine, printer, 1, 2, 2));
  EXPECT_TRUE(complete);
  EXPECT_EQ(printing, (std::vector<QString>{"Printing page 2", "Printing page 3", "Printing page 2",
                                            "Printing page 3"}));
  ASSERT_EQ(PdfPageCount(Path("copies.pdf")), 4);
  const char* expected[] = {"Sheet2", "Sheet3", "Sheet2", "Sheet3"};
  for (int page = 1; page <= 4; ++page)
    EXPECT_EQ(PdfText(Path("copies.pdf"), page).trimmed(), expected[page - 1]);
  QString error;
  EXPECT_FALSE(engine.PrintPages(printer, 7, 9, &error));
  EXPECT_EQ(error, "There are no pages to print.");
}

TEST_F(PrintEngine, SavingReplacesAFileOnlyWhenComplete) {
  TPreviewPrinter engine;
  engine.SetReferenceMetrics(Letter(300));
  engine.BeginDoc();
  engine.TextOutAligned(300, TAlignment::taLeftJustify, nullptr, QStringLiteral("Fresh"));
  engine.EndDoc();
  const QString target = Path("out.pdf");
  {
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
  }
  QString error;
  EXPECT_FALSE(SavePagesAsPdf(engine, Path("missing/out.pdf"), &error));
  EXPECT_TRUE(error.contains("missing/out.pdf")) << error.toStdString();
  ASSERT_TRUE(SavePagesAsPdf(engine, target, &error)) << error.toStdString();
  EXPECT_EQ(PdfText(target).trimmed(), "Fresh");
  struct stat st {};
  ASSERT_EQ(stat(QFile::encodeName(target).constData(), &st), 0);
  EXPECT_NE(st.st_mode & 0044, 0u) << "the PDF is readable like any file the user makes";
  EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.pdf"});
}

TEST_F(PrintEngine, SavedDefaultsApplyAndCorruptOnesAreIgnored) {
  WriteSetting("PageSetupForm/Values/edLeft", "not a number");
  WriteSetting("PageSetupForm/Values/edTop", "0.500");
  WriteSetting("PageSetupForm/Values/edFooter", "Saved footer");
  WriteSetting("PageSetupForm/Values/rbLandscape", "1");
  WriteSetting("PageSetupForm/Values/rbPortrait", "0");
  WriteSetting("PageSetupForm/Values/FooterFontDialog_Size", "0x10");
  TPreviewPrinter engine;
  ConfigureListingEngine(engine);
  EXPECT_EQ(engine.TextOptions.MarginLeft, 1.0);
  EXPECT_EQ(engine.TextOptions.MarginTop, 0.5);
  EXPECT_EQ(engine.TextOptions.Footer, "Saved footer");
  EXPECT_EQ(engine.Orientation, TOrientation::poLandscape);
  EXPECT_DOUBLE_EQ(engine.TextOptions.FooterFont.Size, 9.75);
  // Every run of the report keeps the footer left-aligned in italic at the bottom.
  engine.SetReferenceMetrics(Letter(300, 0));
  engine.TextOptions.FooterFont.Bold = true;
  RecordDirectoryListing(engine, QStringLiteral("/"), {QStringLiteral("a")});
  EXPECT_EQ(engine.TextOptions.Header, "/");
  EXPECT_FALSE(engine.TextOptions.FooterFont.Bold);
  EXPECT_TRUE(engine.TextOptions.FooterFont.Italic);
}

}  // namespace
