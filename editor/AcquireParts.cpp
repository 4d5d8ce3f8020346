#include "editor/AcquireParts.h"

#include <QPainter>
#include <QPixmap>

#include "view/PGImage.h"

TPixelGraphic* TViewEditTarget::Picture() { return FView.PixelGraphic(); }

void TViewEditTarget::Take(std::unique_ptr<TPixelGraphic> picture) {
  FView.TakePixelGraphic(std::move(picture));
}

TEditorFilterDialogs::TEditorFilterDialogs() {
  Sharpen.SetStdDeviation(0.75);
  Detail.SetStdDeviation(0.75);
  Smooth.SetStdDeviation(1.3);
  Contour.SetStdDeviation(1.0);
  Blur.SetRadius(2.5);
}

TFilterDialog& TEditorFilterDialogs::Point(int index) {
  TFilterDialog* dialogs[kPointCount] = {&RGB, &CMY, &YCbCr, &HSL, &HSV, &BCG, &GrayScale, &Negative};
  return *dialogs[index];
}

TFilterDialog& TEditorFilterDialogs::Convolution(int index) {
  TFilterDialog* dialogs[kConvolutionCount] = {&Sharpen, &Detail, &Smooth, &Blur, &Contour};
  return *dialogs[index];
}

const char* TEditorFilterDialogs::PointName(int index) {
  static const char* const names[kPointCount] = {"RGB", "CMY",  "YCbCr",     "HSL",
                                                 "HSV", "BCG", "Greyscale", "Negative"};
  return names[index];
}

const char* TEditorFilterDialogs::ConvolutionName(int index) {
  static const char* const names[kConvolutionCount] = {"Sharpen", "Detail", "Smooth", "Blur",
                                                       "Contour"};
  return names[index];
}

QCursor MagnifierCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  for (const auto& [color, width] : {std::pair{QColor(Qt::white), 4}, std::pair{QColor(Qt::black), 2}}) {
    p.setPen(QPen(color, width));
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.drawLine(QPointF(18, 18), QPointF(28, 28));
  }
  p.drawLine(QPointF(8, 12), QPointF(16, 12));
  p.drawLine(QPointF(12, 8), QPointF(12, 16));
  return QCursor(pixmap, 12, 12);
}
