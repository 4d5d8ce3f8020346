// Drawing a TPixelGraphic with QPainter and converting it to and from QImage.
#pragma once

#include <QImage>
#include <QRect>

#include "imaging/PGraphic.h"

class QPainter;

// A QImage over the picture's own rows (no copy for 1-, 8- and 24-bit pictures; 4-bit ones are
// widened to 8 bits). Rows are bottom-up, so the QImage shows the picture upside down; draw
// it with PGDrawImage. Palette values beyond the palette show as its first entry. The QImage
// is valid while the picture keeps its storage.
QImage PGWrapStorage(const TPixelGraphic& image);

// The 256-entry colour table used for palette pictures.
QList<QRgb> PGColorTable(const TPixelGraphic& image);

// Draws the whole picture stretched into `target` (nearest pixel, no blending), mirrored as
// asked. Nothing for an empty picture.
void PGDrawImage(QPainter& painter, const TPixelGraphic& image, const QRectF& target,
                 bool mirrorH = false, bool mirrorV = false);

// A top-down deep copy: Format_Indexed8 (or Mono) for palette pictures, RGB888 otherwise.
QImage PGToQImage(const TPixelGraphic& image);

// Replaces the picture by the QImage: 1- and 8-bit indexed images keep their palette, all
// others become 24-bit (alpha composited over black).
void PGFromQImage(TPixelGraphic& image, const QImage& source);
