// Qt adapters: drawing and conversion, the canvas, clipboard exchange and printing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/PGCanvas.h"
#include "platform/PGClipboard.h"
#include "platform/PGPrint.h"
#include "platform/PGQtImage.h"

namespace {

void Gradient(TPixelGraphic& g, int w, int h) {
  g.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g.SetPixel(x, y, RGBColor(x * 10, y * 20, 99));
}

TEST(PlatformImage, WrapsAndCopiesTopDown) {
  TPixelGraphic g;
  Gradient(g, 7, 5);
  const QImage q = PGToQImage(g);
  ASSERT_EQ(q.size(), QSize(7, 5));
  EXPECT_EQ(q.pixelColor(3, 0), QColor(30, 0, 99));
  EXPECT_EQ(q.pixelColor(6, 4), QColor(60, 80, 99));
  TPixelGraphic back;
  PGFromQImage(back, q);
  ASSERT_EQ(back.PixelFormat(), pf24Bit);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(back.Pixel(x, y), g.Pixel(x, y));

  TPixelGraphic p;
  p.SetSize(5, 3, pf4Bit);
  p.SetPaletteIdent(pSys16);
  p.SetPixel(4, 2, 12);
  p.SetPixel(0, 0, 9);
  const QImage pq = PGToQImage(p);
  EXPECT_EQ(pq.format(), QImage::Format_Indexed8);
  EXPECT_EQ(pq.pixelColor(4, 2), QColor(0, 0, 255));
  EXPECT_EQ(pq.pixelColor(0, 0), QColor(255, 0, 0));
  // Values beyond the palette show as its first entry.
  p.SetPaletteCount(5);
  EXPECT_EQ(PGToQImage(p).pixelColor(4, 2), QColor(0, 0, 0));
}

TEST(PlatformImage, DrawsStretchedAndMirrored) {
  TPixelGraphic g;
  g.SetSize(2, 2, pf24Bit);
  g.SetPixel(0, 0, RGBColor(255, 0, 0));
  g.SetPixel(1, 0, RGBColor(0, 255, 0));
  g.SetPixel(0, 1, RGBColor(0, 0, 255));
  g.SetPixel(1, 1, RGBColor(255, 255, 255));
  QImage out(40, 40, QImage::Format_RGB32);
  out.fill(Qt::black);
  QPainter painter(&out);
  PGDrawImage(painter, g, QRectF(0, 0, 20, 20));
  PGDrawImage(painter, g, QRectF(20, 20, 20, 20), true, true);
  painter.end();
  EXPECT_EQ(out.pixelColor(2, 2), QColor(255, 0, 0));
  EXPECT_EQ(out.pixelColor(17, 2), QColor(0, 255, 0));
  EXPECT_EQ(out.pixelColor(2, 17), QColor(0, 0, 255));
  EXPECT_EQ(out.pixelColor(22, 22), QColor(255, 255, 255));  // both mirrors
  EXPECT_EQ(out.pixelColor(37, 37), QColor(255, 0, 0));
}

TEST(PlatformCanvas, PaintingShowsInThePixels) {
  TPixelGraphic g;
  g.SetSize(20, 10, pf24Bit);
  PGCanvas(g).Painter().fillRect(QRect(2, 1, 3, 2), QColor(10, 200, 30));
  EXPECT_EQ(g.Pixel(3, 2), RGBColor(10, 200, 30));  // flushed before the read
  EXPECT_EQ(g.Pixel(3, 3), 0u);

  TPixelGraphic p;
  p.SetSize(8, 8, pf8Bit);
  p.SetPaletteIdent(pSpecial216);
  PGCanvas(p).Painter().fillRect(QRect(0, 0, 4, 8), QColor(255, 0, 0));
  EXPECT_EQ(p.PixelColor(1, 1), RGBColor(255, 0, 0));
  EXPECT_EQ(p.PixelColor(6, 1), 0u);
  // A palette change releases the canvas; the next drawing uses the new palette.
  p.SetPaletteIdent(pGray256);
  PGCanvas(p).Painter().fillRect(QRect(0, 0, 8, 8), QColor(128, 128, 128));
  EXPECT_EQ(p.Pixel(5, 5), 128u);
}

TEST(PlatformClipboard, RoundTripsPaletteAndTrueColourPictures) {
  TPixelGraphic p;
  p.SetSize(9, 4, pf4Bit);
  p.SetPaletteCount(5);
  for (int i = 0; i < 5; ++i) p.SetPaletteColor(i, RGBColor(i * 50, 255 - i * 50, 7));
  for (int x = 0; x < 9; ++x) p.SetPixel(x, x % 4, static_cast<TRGB>(x % 5));
  const QByteArray dib = PGPackedDIB(p);
  ASSERT_GE(dib.size(), 40 + 5 * 4);
  EXPECT_EQ(static_cast<unsigned char>(dib[32]), 5);  // colours used
  EXPECT_EQ(dib.size(), 40 + 5 * 4 + static_cast<qsizetype>(p.ImageSize()));

  QClipboard* clipboard = QApplication::clipboard();
  PGCopyToClipboard(p, clipboard);
  TPixelGraphic back;
  PGPasteFromClipboard(back, clipboard);
  ASSERT_EQ(back.PixelFormat(), pf4Bit);
  ASSERT_EQ(back.PaletteCount(), 5);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(back.PixelColor(x, y), p.PixelColor(x, y));

  TPixelGraphic t;
  Gradient(t, 13, 6);
  PGCopyToClipboard(t, clipboard);
  EXPECT_TRUE(clipboard->mimeData()->hasImage());
  PGPasteFromClipboard(back, clipboard);
  ASSERT_EQ(back.PixelFormat(), pf24Bit);
  EXPECT_EQ(back.Pixel(12, 5), t.Pixel(12, 5));

  // A standard image alone is accepted; text is not.
  auto* image = new QMimeData;
  image->setImageData(PGToQImage(t));
  clipboard->setMimeData(image);
  PGPasteFromClipboard(back, clipboard);
  EXPECT_EQ(back.Pixel(3, 2), t.Pixel(3, 2));
  clipboard->setText("hello");
  try {
    PGPasteFromClipboard(back, clipboard);
    FAIL();
  } catch (const EPGUnknownClipboardFormat& e) {
    EXPECT_STREQ(e.what(), "Unknown clipboard format");
  }
}

TEST(PlatformPrint, FitsThePageKeepingTheShape) {
  // Square pixels: a wide picture takes the full width, centred vertically.
  EXPECT_EQ(PGFitPageRect(300, 100, 3000, 2000, 1, 1), QRect(0, 500, 3000, 1000));
  // 667 wide, left at (3000 - 667) div 2, right edge mirrored.
  EXPECT_EQ(PGFitPageRect(100, 300, 3000, 2000, 1, 1), QRect(1166, 0, 668, 2000));
  // Pixels twice as tall as wide (ax = 1, ay = 2): the page is 3000 x 4000 units.
  const QRect r = PGFitPageRect(300, 300, 3000, 2000, 1, 2);
  EXPECT_EQ(r.width(), 3000);
  EXPECT_EQ(r.height(), 1500);
  EXPECT_EQ(PGFitPageRect(0, 10, 100, 100, 1, 1), QRect());

  TPixelGraphic g;
  Gradient(g, 30, 10);
  EXPECT_EQ(PGPrintTitle(g, "Lumivex"), "Lumivex Graphic 30x10x16777216");
}

TEST(PlatformPrint, PrintsToPdfInLandscapeForWidePictures) {
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("out.pdf"));
  printer.setPageOrientation(QPageLayout::Portrait);
  TPixelGraphic g;
  Gradient(g, 300, 100);
  ASSERT_TRUE(PGPrintImage(g, printer, false, true, nullptr, "Lumivex"));
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);  // restored
  QFile pdf(dir.filePath("out.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  // The page went out in landscape: its media box is wider than tall.
  const QRegularExpressionMatch box =
      QRegularExpression(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])").match(QString::fromLatin1(bytes));
  ASSERT_TRUE(box.hasMatch());
  EXPECT_GT(box.captured(1).toDouble(), box.captured(2).toDouble());
  EXPECT_EQ(printer.docName(), "Lumivex Graphic 300x100x16777216");
  TPixelGraphic empty;
  EXPECT_FALSE(PGPrintImage(empty, printer, false, true, nullptr, "Lumivex"));
}

}  // namespace
