// Printing a picture to fill a page.
#pragma once

#include <QRect>
#include <QString>

#include "imaging/PGraphic.h"

class QPrinter;
class QWidget;

// Where a W x H picture lands on a PW x PH page whose pixels have the aspect values ax
// (horizontal) and ay (vertical): the full page width or height, centred, aspect kept.
QRect PGFitPageRect(int W, int H, int PW, int PH, double ax, double ay);

// The print job's title: application title + " Graphic " + W + "x" + H + "x" + colours.
QString PGPrintTitle(const TPixelGraphic& image, const QString& applicationTitle);

// Prints the picture on `printer` to fill the page. With showDialog the print dialog comes
// first (owned by `owner`); false when cancelled or nothing was printed. With
// autoOrientation a wide picture prints landscape, a tall one portrait; the printer's
// orientation is restored afterwards.
bool PGPrintImage(TPixelGraphic& image, QPrinter& printer, bool showDialog, bool autoOrientation,
                  QWidget* owner, const QString& applicationTitle);
