// Clipboard exchange of pictures: a standard image plus the packed bitmap as "image/bmp".
#pragma once

#include <QByteArray>

#include "imaging/PGraphic.h"

class QMimeData;
class QClipboard;

// The packed bitmap: information header, colour table and pixels as the BMP writer stores them.
QByteArray PGPackedDIB(TPixelGraphic& image);

// Reads a packed bitmap (information or core header form, or a whole BMP file).
void PGLoadPackedDIB(TPixelGraphic& image, const QByteArray& data);

// Mime data carrying the picture; the caller owns it.
QMimeData* PGMimeData(TPixelGraphic& image);

// Loads the picture from mime data: the packed bitmap when present, else a standard image;
// anything else raises EPGUnknownClipboardFormat "Unknown clipboard format".
void PGLoadFromMimeData(TPixelGraphic& image, const QMimeData* data);

void PGCopyToClipboard(TPixelGraphic& image, QClipboard* clipboard);
void PGPasteFromClipboard(TPixelGraphic& image, const QClipboard* clipboard);
