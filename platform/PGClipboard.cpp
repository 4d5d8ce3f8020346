#include "platform/PGClipboard.h"

#include <QClipboard>
#include <QMimeData>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/BMPFormat.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/PGStream.h"
#include "platform/PGQtImage.h"

namespace {
const char* const kBmpMime = "image/bmp";
}

QByteArray PGPackedDIB(TPixelGraphic& image) {
  TPGMemoryStream stream;
  WriteDIB(image, stream);
  const auto& data = stream.Data();
  return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
}

void PGLoadPackedDIB(TPixelGraphic& image, const QByteArray& data) {
  if (data.isEmpty()) PGRaise<EPGUnknownClipboardFormat>(pgmUnknownClipboardFormat);
  TPGUpdateScope update(image);
  qsizetype start = 0;
  if (data.size() >= 14 && data[0] == 'B' && data[1] == 'M') start = 14;  // a whole BMP file
  TPGMemoryStream stream(data.constData() + start, static_cast<std::size_t>(data.size() - start));
  const bool core = data.size() - start >= 4 && static_cast<unsigned char>(data[start]) == 12 &&
                    data[start + 1] == 0 && data[start + 2] == 0 && data[start + 3] == 0;
  ReadDIB(image, stream, core, CurrentFormatSettings().BMPRead16BitExpand);
  image.UpdatePaletteIdent();
  image.Gamma = ScreenGamma;
}

QMimeData* PGMimeData(TPixelGraphic& image) {
  auto* mime = new QMimeData;
  mime->setImageData(PGToQImage(image));
  mime->setData(kBmpMime, PGPackedDIB(image));
  return mime;
}

void PGLoadFromMimeData(TPixelGraphic& image, const QMimeData* data) {
  if (data && data->hasFormat(kBmpMime)) {
    const QByteArray bytes = data->data(kBmpMime);
    if (!bytes.isEmpty()) {
      PGLoadPackedDIB(image, bytes);
      return;
    }
  }
  if (data && data->hasImage()) {
    const QImage q = qvariant_cast<QImage>(data->imageData());
    if (!q.isNull()) {
      PGFromQImage(image, q);
      image.Gamma = ScreenGamma;
      return;
    }
  }
  PGRaise<EPGUnknownClipboardFormat>(pgmUnknownClipboardFormat);
}

void PGCopyToClipboard(TPixelGraphic& image, QClipboard* clipboard) {
  clipboard->setMimeData(PGMimeData(image));
}

void PGPasteFromClipboard(TPixelGraphic& image, const QClipboard* clipboard) {
  PGLoadFromMimeData(image, clipboard->mimeData());
}
