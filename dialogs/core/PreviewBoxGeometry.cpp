#include "dialogs/core/PreviewBoxGeometry.h"

#include <algorithm>
#include <cmath>

TPreviewRect PreviewBoxImageRect(int width, int height, int boxW, int boxH) {
  TPreviewRect r;
  if (width < 1 || height < 1) return r;
  const int W = std::max(boxW - 4, 1), H = std::max(boxH - 4, 1);
  int w = width, h = height;
  if (width > W || height > H) {
    if (static_cast<double>(W) / H >= static_cast<double>(width) / height) {
      w = static_cast<int>(static_cast<double>(H) * width / height);
      h = H;
    } else {
      w = W;
      h = static_cast<int>(static_cast<double>(W) * height / width);
    }
  }
  r.W = std::max(w, 1);
  r.H = std::max(h, 1);
  r.X = (boxW - r.W) / 2;
  r.Y = (boxH - r.H) / 2;
  return r;
}

TClockHands ProgressClockHands(int step, int percent) {
  const double m = percent * M_PI * 0.02;
  const double h = ((step - 1) * 2 * M_PI + m) / 12;
  TClockHands c;
  c.HourX = 7 + static_cast<int>(std::nearbyint(6 * std::sin(h)));
  c.HourY = 7 - static_cast<int>(std::nearbyint(6 * std::cos(h)));
  c.MinuteX = 7 + static_cast<int>(std::nearbyint(7 * std::sin(m)));
  c.MinuteY = 7 - static_cast<int>(std::nearbyint(7 * std::cos(m)));
  return c;
}
