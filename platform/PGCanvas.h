// TPGCanvas: QPainter drawing on a picture's own pixels.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "imaging/PGraphic.h"

// The drawing surface of one picture. 24-bit pictures are painted in place (through a flip,
// since rows are stored bottom-up); palette pictures are painted on a true-colour copy whose
// colours go back through the palette when the picture's pixels are next read.
class TPGCanvas : public TPGDrawingSurface {
 public:
  explicit TPGCanvas(TPixelGraphic& image);
  ~TPGCanvas() override;

  // A painter in picture coordinates (y downwards); valid until the picture's pixels are read
  // or changed, so ask for it again for every drawing.
  QPainter& Painter();
  void Flush() override;

 private:
  TPixelGraphic& FImage;
  QImage FSurface;
  std::unique_ptr<QPainter> FPainter;
  bool FInPlace = false;
};

// The picture's canvas, created on first use; marks the picture as having pending output.
TPGCanvas& PGCanvas(TPixelGraphic& image);
