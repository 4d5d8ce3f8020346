// A recorded page: drawing commands in the reference device's pixels, with that device's
// metrics kept beside them so the page can be replayed at any other resolution.
#pragma once

#include <QPicture>

#include "print/core/PageMetrics.h"

class QPainter;
class QRectF;

// The recording surface: a QPicture that reports the reference device's resolution and page
// size, so point-sized fonts become reference pixels while recording.
class TPagePicture : public QPicture {
 public:
  explicit TPagePicture(const TPageMetrics& metrics) : FMetrics(metrics) {}
  const TPageMetrics& Metrics() const { return FMetrics; }

 protected:
  int metric(PaintDeviceMetric m) const override;

 private:
  TPageMetrics FMetrics;
};

// Draws a page on a painter whose device has targetResX x targetResY pixels per inch, from
// the paper corner: the page keeps its physical size whatever either resolution is.
void PlayPage(QPainter& painter, const TPagePicture& page, double targetResX, double targetResY);

// Draws a page scaled to fill a rectangle (the preview's page views).
void PlayPageInto(QPainter& painter, const TPagePicture& page, const QRectF& target);
