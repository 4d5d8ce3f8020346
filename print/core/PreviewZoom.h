// Zoom of the preview window: the zoom choices, fitting a page into the scroll area, the
// zoom tool's steps, and where the page views go. A scale is screen inches per page inch.
#pragma once

#include <string>
#include <vector>

#include "print/core/PageMetrics.h"

enum TZoomChoiceIndex { kZoomFitToPage = 0, kZoomFitToWidth = 1, kZoomCustom = 2 };

// "Fit To Page", "Fit To Width", "Custom", "25%", ... "400%".
const std::vector<std::string>& ZoomChoiceTexts();
// The percentage choices' scales; any other choice counts as 1.0.
double ZoomChoiceScale(int choice);

// Scales stay within these bounds: a tiny or corrupt area never gives 0 or less.
inline constexpr double kMinZoomScale = 0.05;
inline constexpr double kMaxZoomScale = 8.0;
double ClampZoomScale(double scale);

// (client height - 20) / screen dpi / page height in inches, and the same across.
double FitToPageScale(int clientHeight, int screenDpi, const TPageMetrics& page);
double FitToWidthScale(int clientWidth, int screenDpi, const TPageMetrics& page);

// The zoom tool: x1.5 unless already 4.5 or more; x2/3 unless already 0.14 or less.
double ZoomInStep(double scale);
double ZoomOutStep(double scale);

// "74%": the scale x 100, rounded, with thousands separators.
std::string ZoomPercentText(double scale);

struct TPreviewLayout {
  int ViewWidth = 0, ViewHeight = 0;        // each page view
  int ContentWidth = 0, ContentHeight = 0;  // the scrolled area
  int FirstX = 0, FirstY = 0;               // first page view
  int SecondX = 0;                          // second page view (two-page mode)
  bool TwoPages = false;
};

TPreviewLayout ComputePreviewLayout(double scale, bool twoPages, const TPageMetrics& page,
                                    int screenDpi, int clientWidth, int clientHeight);

// Scroll positions that put a point clicked on the first page view (in view pixels, before
// zooming) at the centre of the viewport after the views grew from `before` to `after`.
struct TScrollTarget {
  int X = 0, Y = 0;
};
TScrollTarget CentreOnZoomedPoint(int clickX, int clickY, const TPreviewLayout& before,
                                  const TPreviewLayout& after, int viewportWidth,
                                  int viewportHeight);
