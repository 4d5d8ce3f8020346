#include "print/core/PreviewZoom.h"

#include <algorithm>
#include <cmath>

const std::vector<std::string>& ZoomChoiceTexts() {
  static const std::vector<std::string> texts = {"Fit To Page", "Fit To Width", "Custom", "25%",
                                                 "50%",         "75%",          "100%",   "125%",
                                                 "150%",        "200%",         "300%",   "400%"};
  return texts;
}

double ZoomChoiceScale(int choice) {
  static const double scales[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
  const int i = choice - 3;
  if (i >= 0 && i < static_cast<int>(std::size(scales))) return scales[i];
  return 1.0;
}

double ClampZoomScale(double scale) {
  if (!(scale > kMinZoomScale)) return kMinZoomScale;  // also NaN
  return std::min(scale, kMaxZoomScale);
}

double FitToPageScale(int clientHeight, int screenDpi, const TPageMetrics& page) {
  if (screenDpi <= 0 || !UsablePageMetrics(page)) return 1.0;
  const double inches = static_cast<double>(page.PageHeight) / page.ResY;
  return ClampZoomScale((clientHeight - 20.0) / screenDpi / inches);
}

double FitToWidthScale(int clientWidth, int screenDpi, const TPageMetrics& page) {
  if (screenDpi <= 0 || !UsablePageMetrics(page)) return 1.0;
  const double inches = static_cast<double>(page.PageWidth) / page.ResX;
  return ClampZoomScale((clientWidth - 20.0) / screenDpi / inches);
}

double ZoomInStep(double scale) { return scale >= 4.5 ? scale : scale * 1.5; }

double ZoomOutStep(double scale) { return scale <= 0.14 ? scale : scale * 2.0 / 3.0; }

std::string ZoomPercentText(double scale) {
  const long long percent = std::llround(scale * 100.0);
  std::string digits = std::to_string(percent < 0 ? -percent : percent);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return (percent < 0 ? "-" : "") + out + "%";
}

TPreviewLayout ComputePreviewLayout(double scale, bool twoPages, const TPageMetrics& page,
                                    int screenDpi, int clientWidth, int clientHeight) {
  TPreviewLayout l;
  l.TwoPages = twoPages;
  const double s = ClampZoomScale(scale);
  if (UsablePageMetrics(page) && screenDpi > 0) {
    l.ViewHeight = std::max(1, static_cast<int>(screenDpi * s * page.PageHeight / page.ResY));
    l.ViewWidth = std::max(1, static_cast<int>(screenDpi * s * page.PageWidth / page.ResX));
  }
  const int used = l.ViewWidth + 20 + (twoPages ? l.ViewWidth + 20 : 0);
  l.ContentWidth = std::max(used, clientWidth - 1);
  l.ContentHeight = std::max(l.ViewHeight + 20, clientHeight - 1);
  l.FirstY = l.ViewHeight + 20 < l.ContentHeight ? (l.ContentHeight - l.ViewHeight) / 2 : 10;
  l.FirstX = used < l.ContentWidth ? l.ContentWidth / 2 - (used - 20) / 2 : 10;
  l.SecondX = l.FirstX + l.ViewWidth + 20;
  return l;
}

TScrollTarget CentreOnZoomedPoint(int clickX, int clickY, const TPreviewLayout& before,
                                  const TPreviewLayout& after, int viewportWidth,
                                  int viewportHeight) {
  const double fx =
      before.ViewWidth > 0 ? static_cast<double>(after.ViewWidth) / before.ViewWidth : 1.0;
  const double fy =
      before.ViewHeight > 0 ? static_cast<double>(after.ViewHeight) / before.ViewHeight : 1.0;
  TScrollTarget t;
  t.X = std::max(0, static_cast<int>(after.FirstX + clickX * fx - viewportWidth / 2.0));
  t.Y = std::max(0, static_cast<int>(after.FirstY + clickY * fy - viewportHeight / 2.0));
  return t;
}
