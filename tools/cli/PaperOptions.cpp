#include "tools/cli/PaperOptions.h"

#include <utility>

bool PaperSize(const std::string& name, double& width, double& height) {
  if (name == "letter") {
    width = 8.5, height = 11.0;
  } else if (name == "legal") {
    width = 8.5, height = 14.0;
  } else if (name == "a4") {
    width = 210 / 25.4, height = 297 / 25.4;
  } else {
    return false;
  }
  return true;
}

TPageMetrics PaperMetrics(double width, double height, int dpi, TOrientation orientation) {
  TPageMetrics m;
  m.ResX = m.ResY = dpi;
  m.PageWidth = static_cast<int>(width * dpi + 0.5);
  m.PageHeight = static_cast<int>(height * dpi + 0.5);
  if (orientation == TOrientation::poLandscape) std::swap(m.PageWidth, m.PageHeight);
  return m;
}
