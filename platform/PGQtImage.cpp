#include "platform/PGQtImage.h"

#include <QPainter>
#include <QTransform>
#include <cstring>

QList<QRgb> PGColorTable(const TPixelGraphic& image) {
  QList<QRgb> table(256);
  const int count = image.PaletteCount();
  const bool trueColor = image.PaletteIdent() == pTrueColor;
  for (int i = 0; i < 256; ++i) {
    TRGB c = 0;
    if (trueColor)
      c = static_cast<TRGB>(i);
    else if (i < count)
      c = image.Palette()[static_cast<std::size_t>(i)];
    else if (count > 0)
      c = image.Palette()[0];
    table[i] = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
  }
  return table;
}

QImage PGWrapStorage(const TPixelGraphic& image) {
  if (image.Empty()) return {};
  const int w = image.Width(), h = image.Height();
  const auto stride = static_cast<qsizetype>(image.RowBytes());
  const uchar* bits = image.Bits();
  switch (image.PixelFormat()) {
    case pf24Bit: return QImage(bits, w, h, stride, QImage::Format_BGR888);
    case pf8Bit: {
      QImage q(bits, w, h, stride, QImage::Format_Indexed8);
      q.setColorTable(PGColorTable(image));
      return q;
    }
    case pf1Bit: {
      QImage q(bits, w, h, stride, QImage::Format_Mono);
      QList<QRgb> table = PGColorTable(image);
      table.resize(2);
      q.setColorTable(table);
      return q;
    }
    case pf4Bit: {
      QImage q(w, h, QImage::Format_Indexed8);
      if (q.isNull()) return {};
      for (int r = 0; r < h; ++r) {
        const uchar* in = bits + static_cast<std::size_t>(r) * image.RowBytes();
        uchar* out = q.scanLine(r);
        for (int x = 0; x < w; ++x) out[x] = (x & 1) ? in[x >> 1] & 0x0F : in[x >> 1] >> 4;
      }
      q.setColorTable(PGColorTable(image));
      return q;
    }
  }
  return {};
}

void PGDrawImage(QPainter& painter, const TPixelGraphic& image, const QRectF& target,
                 bool mirrorH, bool mirrorV) {
  if (image.Empty() || target.width() <= 0 || target.height() <= 0) return;
  const QImage q = PGWrapStorage(image);
  if (q.isNull()) return;
  const double sx = target.width() / image.Width(), sy = target.height() / image.Height();
  // The wrapped rows run bottom-up: an unmirrored picture needs a vertical flip.
  const bool flipV = !mirrorV;
  const QTransform m(mirrorH ? -sx : sx, 0, 0, flipV ? -sy : sy,
                     mirrorH ? target.x() + target.width() : target.x(),
                     flipV ? target.y() + target.height() : target.y());
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setTransform(m, true);
  painter.drawImage(QPointF(0, 0), q);
  painter.restore();
}

QImage PGToQImage(const TPixelGraphic& image) {
  const QImage wrapped = PGWrapStorage(image);
  if (wrapped.isNull()) return {};
  QImage copy = wrapped.mirrored(false, true);  // deep, top-down
  if (copy.format() == QImage::Format_BGR888) copy = copy.convertToFormat(QImage::Format_RGB888);
  return copy;
}

void PGFromQImage(TPixelGraphic& image, const QImage& source) {
  TPGUpdateScope update(image);
  if (source.isNull()) {
    image.SetSize(0, 0, pf24Bit);
    return;
  }
  const int w = source.width(), h = source.height();
  if (source.format() == QImage::Format_Indexed8 || source.format() == QImage::Format_Mono ||
      source.format() == QImage::Format_MonoLSB) {
    const bool mono = source.depth() == 1;
    const QImage src = source.format() == QImage::Format_MonoLSB
                           ? source.convertToFormat(QImage::Format_Mono)
                           : source;
    image.SetSize(w, h, mono ? pf1Bit : pf8Bit);
    const QList<QRgb> table = src.colorTable();
    image.SetPaletteCount(0);
    image.SetPaletteCount(static_cast<int>(std::min<qsizetype>(table.size(), mono ? 2 : 256)));
    for (int i = 0; i < image.PaletteCount(); ++i)
      image.SetPaletteColor(i, RGBColor(qRed(table[i]), qGreen(table[i]), qBlue(table[i])));
    for (int y = 0; y < h; ++y)
      std::memcpy(image.ScanLine(y), src.constScanLine(y),
                  mono ? static_cast<std::size_t>((w + 7) / 8) : static_cast<std::size_t>(w));
    image.UpdatePaletteIdent();
    return;
  }
  QImage rgb = source;
  if (rgb.hasAlphaChannel()) {
    QImage flat(w, h, QImage::Format_RGB32);
    flat.fill(Qt::black);
    QPainter p(&flat);
    p.drawImage(0, 0, source);
    p.end();
    rgb = flat;
  }
  rgb = rgb.convertToFormat(QImage::Format_BGR888);
  image.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    std::memcpy(image.ScanLine(y), rgb.constScanLine(y), static_cast<std::size_t>(w) * 3);
  image.UpdatePaletteIdent();
}
