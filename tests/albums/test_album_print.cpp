// Album printing: pages, pictures fitted in their cells, captions, frames, failed pictures
// and metafiles, read back from the PDF with poppler's tools.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include "albums/AlbumPicture.h"
#include "albums/AlbumPrint.h"
#include "platform/MetafileRecords.h"
#include "print/PreviewPrinter.h"
#include "print/PrintOutput.h"
#include "tests/albums/AlbumTestUtil.h"
#include "tests/platform/MetafileBuilder.h"
#include "tests/print/PdfReader.h"

namespace {

// One line of `pdfimages -list`.
struct TPdfImage {
  int Page = 0;
  int Width = 0, Height = 0;
  int PpiX = 0;
};

std::vector<TPdfImage> PdfImages(const QString& pdf) {
  std::vector<TPdfImage> images;
  const QString list = RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
  for (const QString& line : list.split('\n')) {
    const QStringList f = line.simplified().split(' ');
    if (f.size() < 13 || f[1] == QStringLiteral("num") || !f[0].at(0).isDigit()) continue;
    if (f[2] != QStringLiteral("image")) continue;  // soft masks and the like
    images.push_back({f[0].toInt(), f[3].toInt(), f[4].toInt(), f[12].toInt()});
  }
  return images;
}

class AlbumPrint : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FDir.isValid());
    ConfigureAlbumEngine(FEngine);
    FEngine.SetReferenceMetrics(Letter600());
  }
  QString Path(const QString& name) const { return FDir.path() + '/' + name; }

  // Records the album and writes it as PDF; the failures reported go to FFailed.
  QString Print(const TAlbum& album, const QString& name = QStringLiteral("album.pdf")) {
    TAlbumPrintHooks hooks;
    hooks.OnLoadError = [this](const QString& path, const QString&) { FFailed << path; };
    hooks.OnEntry = [this](int e, int n, const QString&) { FProgress << QStringLiteral("%1/%2").arg(e + 1).arg(n); };
    RecordAlbum(FEngine, album, hooks);
    const QString pdf = Path(name);
    QString error;
    EXPECT_TRUE(SavePagesAsPdf(FEngine, pdf, &error)) << error.toStdString();
    return pdf;
  }

  QTemporaryDir FDir;
  TPreviewPrinter FEngine;
  QStringList FFailed, FProgress;
};

TAlbum AlbumOf(const std::vector<std::string>& paths, int rows = 3, int cols = 2) {
  TAlbum album;
  album.Settings.Rows = rows;
  album.Settings.Cols = cols;
  for (const std::string& p : paths) album.Entries.push_back({p, ""});
  return album;
}

}  // namespace

TEST_F(AlbumPrint, SevenEntriesAtThreeByTwoPrintSixPicturesThenOne) {
  const std::string photo = WriteSolidPicture(FDir.path(), "photo.jpg", 3000, 2000, 0x303030);
  const QString pdf = Print(AlbumOf(std::vector<std::string>(7, photo)));
  EXPECT_EQ(PdfPageCount(pdf), 2);
  const std::vector<TPdfImage> images = PdfImages(pdf);
  ASSERT_EQ(images.size(), 7u);
  for (std::size_t i = 0; i < images.size(); ++i) {
    EXPECT_EQ(images[i].Page, i < 6 ? 1 : 2);
    // 3000 x 2000 with border 150 in a 1950 x 1800 cell, drawn pixel for pixel at 600 dpi.
    EXPECT_EQ(images[i].Width, 1650);
    EXPECT_EQ(images[i].Height, 1100);
    EXPECT_EQ(images[i].PpiX, 600);
  }
  EXPECT_EQ(FProgress.size(), 7);
  EXPECT_EQ(FProgress.last(), QStringLiteral("7/7"));
  EXPECT_TRUE(FFailed.isEmpty());
  EXPECT_TRUE(PdfText(pdf, 1).contains(QStringLiteral("Page 1")));
  EXPECT_TRUE(PdfText(pdf, 2).contains(QStringLiteral("Page 2")));

  // The picture of the second page sits centred in the top-left cell: at 60 dpi (a tenth of
  // the page pixels) the cell is (60, 60)-(255, 240) and the picture 165 x 110 inside it.
  const QImage page2 = PdfPageImage(pdf, 2, 60);
  const QRect box = DarkBox(page2.copy(0, 0, 300, 300));
  EXPECT_NEAR(box.left(), 75, 1);
  EXPECT_NEAR(box.top(), 95, 1);
  EXPECT_NEAR(box.width(), 165, 1);
  EXPECT_NEAR(box.height(), 110, 1);
  EXPECT_TRUE(DarkBox(page2.copy(255, 0, 200, 600)).isNull());  // nothing in the other cells
}

TEST_F(AlbumPrint, ExactlyAFullPageMakesNoTrailingPageAndAnEmptyAlbumOnePage) {
  const std::string photo = WriteSolidPicture(FDir.path(), "p.png", 300, 200, 0x000080);
  EXPECT_EQ(PdfPageCount(Print(AlbumOf(std::vector<std::string>(6, photo)))), 1);
  const QString empty = Print(TAlbum(), QStringLiteral("empty.pdf"));
  EXPECT_EQ(PdfPageCount(empty), 1);
  EXPECT_TRUE(PdfText(empty).contains(QStringLiteral("Page 1")));
  EXPECT_TRUE(PdfImages(empty).empty());
}

TEST_F(AlbumPrint, CaptionsByCaptionTextOrFileNameUnderThePictures) {
  const std::string a = WriteSolidPicture(FDir.path(), "seaside.png", 400, 300, 0x808080);
  const std::string b = WriteSolidPicture(FDir.path(), "harbour.png", 300, 400, 0x808080);
  TAlbum album = AlbumOf({a, b, a});
  album.Entries[0].Caption = "Beach";
  album.Entries[1].Caption = "Sunset";
  album.Settings.Caption = TCaptionOption::coCaption;
  album.Settings.Font = {"DejaVu Sans", 12, 0, true, false};
  const QString pdf = Print(album);
  const std::vector<TPdfWord> words = PdfWords(pdf);
  QStringList texts;
  for (const TPdfWord& w : words) texts << w.Text;
  EXPECT_TRUE(texts.contains(QStringLiteral("Beach")));
  EXPECT_TRUE(texts.contains(QStringLiteral("Sunset")));
  EXPECT_EQ(texts.filter(QStringLiteral("seaside")).size(), 0);
  EXPECT_EQ(texts.size(), 4);  // two captions, "Page" and "1": the empty caption draws nothing
  for (const TPdfWord& w : words) {
    if (w.Text != QStringLiteral("Beach")) continue;
    // Cell 0 spans 72..306 points across and 72..288 down: the caption is centred across
    // it and ends above its bottom edge, below the picture (which ends at 246 points).
    EXPECT_NEAR((w.XMin + w.XMax) / 2, 189, 2);
    EXPECT_GT(w.YMin, 230);
    EXPECT_LT(w.YMax, 288);
  }
  album.Settings.Caption = TCaptionOption::coFilename;
  const QString names = PdfText(Print(album, QStringLiteral("names.pdf")));
  EXPECT_EQ(names.count(QStringLiteral("seaside.png")), 2);
  EXPECT_EQ(names.count(QStringLiteral("harbour.png")), 1);
  EXPECT_FALSE(names.contains(QStringLiteral("Beach")));
}

TEST_F(AlbumPrint, APictureThatFailsLeavesItsCellEmptyWithItsCaptionAndTheRestPrints) {
  const std::string good = WriteSolidPicture(FDir.path(), "good.png", 400, 300, 0x202020);
  const std::string broken = WriteFileBytes(FDir.path(), "broken.jpg", std::string(5000, 'x'));
  const std::string cut = WriteFileBytes(FDir.path(), "cut.png", "\x89PNG\r\n\x1a\n");
  const std::string missing = FDir.path().toStdString() + "/missing.bmp";
  TAlbum album = AlbumOf({broken, good, missing, cut, good});
  album.Settings.Caption = TCaptionOption::coFilename;
  const QString pdf = Print(album);
  EXPECT_EQ(FFailed, (QStringList{QString::fromStdString(broken), QString::fromStdString(missing),
                                  QString::fromStdString(cut)}));
  EXPECT_EQ(PdfImages(pdf).size(), 2u);
  const QString text = PdfText(pdf);
  for (const char* name : {"broken.jpg", "missing.bmp", "cut.png", "good.png"})
    EXPECT_TRUE(text.contains(QLatin1String(name))) << name;
  EXPECT_EQ(CantLoadMessage(QStringLiteral("/x/a.jpg")),
            QStringLiteral("Can't load graphic file /x/a.jpg"));
}

TEST_F(AlbumPrint, FramesOutlineTheCellsAndSmallCellsAreSkipped) {
  const std::string photo = WriteSolidPicture(FDir.path(), "f.png", 400, 300, 0xFFFFFF);
  TAlbum album = AlbumOf({photo}, 1, 1);
  album.Settings.PrintFrames = true;
  const QImage framed = PdfPageImage(Print(album, QStringLiteral("framed.pdf")), 1, 100);
  // The cell is the area inside the 1-inch margins: (100, 100)-(750, 1000) at 100 dpi.
  const QRect box = DarkBox(framed.copy(0, 0, 850, 1015), 220);
  EXPECT_NEAR(box.left(), 100, 1);
  EXPECT_NEAR(box.top(), 100, 1);
  EXPECT_NEAR(box.right(), 750, 2);
  EXPECT_NEAR(box.bottom(), 1000, 2);
  album.Settings.PrintFrames = false;
  EXPECT_TRUE(DarkBox(PdfPageImage(Print(album, QStringLiteral("plain.pdf")), 1, 100).copy(0, 0, 850, 1015), 220).isNull());

  // 6 x 6 cells of 650 x 900 page pixels cannot hold a border of 500 on both sides.
  album = AlbumOf(std::vector<std::string>(3, photo), 6, 6);
  album.Settings.Border = 500;
  album.Settings.Caption = TCaptionOption::coFilename;
  const QString pdf = Print(album, QStringLiteral("small.pdf"));
  EXPECT_TRUE(PdfImages(pdf).empty());
  EXPECT_EQ(PdfText(pdf).count(QStringLiteral("f.png")), 3);
  EXPECT_TRUE(FFailed.isEmpty());
}

TEST_F(AlbumPrint, MetafilesArePlayedIntoTheirPlace) {
  // A red rectangle filling a 200 x 100 Windows metafile, and an enhanced one of 100 x 200.
  TWMFBuilder w;
  w.Record(wmfCreateBrushIndirect, {0, 0x00FF, 0x0000, 0});
  w.Record(wmfSelectObject, {0});
  w.Record(wmfRectangle, {100, 200, 0, 0});
  const TMetaBytes wmf = w.Build(true, 200, 100, 96);
  const std::string wmfPath =
      WriteFileBytes(FDir.path(), "chart.wmf", std::string(wmf.begin(), wmf.end()));
  const std::unique_ptr<TAlbumPicture> picture = LoadAlbumPicture(wmfPath);
  EXPECT_EQ(picture->Width(), 200);
  EXPECT_EQ(picture->Height(), 100);

  const QString pdf = Print(AlbumOf({wmfPath}, 1, 1));
  EXPECT_TRUE(FFailed.isEmpty());
  const std::vector<TPdfImage> images = PdfImages(pdf);
  ASSERT_EQ(images.size(), 1u);
  // The area inside the margins (3900 x 5400) less the border: 3600 wide, half as high.
  EXPECT_EQ(images[0].Width, 3600);
  EXPECT_EQ(images[0].Height, 1800);
  const QImage page = PdfPageImage(pdf, 1, 50);
  const QRgb centre = page.pixel(page.width() / 2, page.height() / 2);
  EXPECT_GT(qRed(centre), 200);
  EXPECT_LT(qGreen(centre), 60);

  // A file named .wmf that is no metafile fails like any other picture.
  const std::string fake = WriteFileBytes(FDir.path(), "fake.emf", std::string(300, '\0'));
  Print(AlbumOf({fake}), QStringLiteral("fake.pdf"));
  EXPECT_EQ(FFailed, QStringList{QString::fromStdString(fake)});
}
