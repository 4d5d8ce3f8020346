#include "imaging/filters/Compositions.h"
#include "imaging/filters/ConvFilter.h"
#include "imaging/filters/PointFilters.h"

void PencilDrawing(TPixelGraphic& destination, const TPixelGraphic& source,
                   const TPGFilterOptions& options) {
  if (&destination == &source) {
    TPixelGraphic copy;
    copy.Assign(&source);
    PencilDrawing(destination, copy, options);
    return;
  }
  TConvFilter contour;
  contour.BuildContour(dsRect, true, true, 792, 1.16);
  TPGUpdateScope update(destination);
  destination.SetPixelFormat(pf24Bit);
  ApplyFilter(destination, contour, source, options);
  TGrayScaleFilter gray;
  ApplyFilter(destination, gray, destination, options);
}
