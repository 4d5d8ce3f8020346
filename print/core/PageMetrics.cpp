#include "print/core/PageMetrics.h"

#include <cmath>
#include <utility>

TPageMetrics FallbackPageMetrics(int screenDpi, TOrientation orientation) {
  const int dpi = screenDpi > 0 ? screenDpi : 96;
  TPageMetrics m;
  m.ResX = m.ResY = dpi;
  m.PageWidth = static_cast<int>(std::nearbyint(dpi * 8.5));
  m.PageHeight = static_cast<int>(std::nearbyint(dpi * 11.0));
  if (orientation == TOrientation::poLandscape) std::swap(m.PageWidth, m.PageHeight);
  return m;
}

bool UsablePageMetrics(const TPageMetrics& m) {
  return m.ResX > 0 && m.ResY > 0 && m.PageWidth > 0 && m.PageHeight > 0 && m.OffsetX >= 0 &&
         m.OffsetY >= 0;
}
