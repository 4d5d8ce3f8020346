#include "platform/PGCanvas.h"

#include "platform/PGQtImage.h"

TPGCanvas::TPGCanvas(TPixelGraphic& image) : FImage(image) {}

// The picture flushes its surface before it releases it.
TPGCanvas::~TPGCanvas() {
  if (FPainter) FPainter->end();
}

QPainter& TPGCanvas::Painter() {
  if (FPainter && FPainter->isActive()) return *FPainter;
  if (FImage.Empty()) {
    FSurface = QImage(1, 1, QImage::Format_RGB32);
    FInPlace = false;
  } else if (FImage.PixelFormat() == pf24Bit) {
    // In place: the wrapped rows are upside down; the painter turns them the right way.
    uchar* bits = FImage.Bits();
    FSurface = QImage(bits, FImage.Width(), FImage.Height(),
                      static_cast<qsizetype>(FImage.RowBytes()), QImage::Format_BGR888);
    FInPlace = true;
  } else {
    FSurface = PGToQImage(FImage).convertToFormat(QImage::Format_RGB32);
    FInPlace = false;
  }
  FPainter = std::make_unique<QPainter>(&FSurface);
  FImage.MarkDrawingPending();  // reading the pixels above flushed the mark
  if (FInPlace) {
    FPainter->translate(0, FImage.Height());
    FPainter->scale(1, -1);
  }
  return *FPainter;
}

void TPGCanvas::Flush() {
  if (!FPainter) return;
  FPainter->end();
  FPainter.reset();
  if (FInPlace || FImage.Empty() || FSurface.size() != QSize(FImage.Width(), FImage.Height()))
    return;
  // Palette pictures: the painted colours go back through the palette, unchanged pixels keep
  // their index.
  for (int y = 0; y < FImage.Height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(FSurface.constScanLine(y));
    for (int x = 0; x < FImage.Width(); ++x) {
      const TRGB c = RGBColor(qRed(row[x]), qGreen(row[x]), qBlue(row[x]));
      if (FImage.PixelColor(x, y) != c) FImage.SetPixelColor(x, y, c);
    }
  }
}

TPGCanvas& PGCanvas(TPixelGraphic& image) {
  auto* canvas = dynamic_cast<TPGCanvas*>(image.DrawingSurface());
  if (!canvas) {
    auto owned = std::make_unique<TPGCanvas>(image);
    canvas = owned.get();
    image.AttachDrawingSurface(std::move(owned));
  }
  image.MarkDrawingPending();
  return *canvas;
}
