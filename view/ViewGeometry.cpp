#include "view/ViewGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Sizes derived from a scale stay inside the int range.
int ClampSize(double v) {
  if (!(v > 0)) return 0;
  if (v >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(v);
}

int RoundEvenSize(double v) {
  if (!(v > 0)) return 0;
  if (v >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(std::nearbyint(v));
}

struct Fitter {
  int W, H, CW, CH, sh, sv;
  double A, Q;

  TDisplaySize Fit() const {
    TDisplaySize d;
    if (Q < A) {
      d.DW = CW;
      d.DH = ClampSize(std::trunc(CW / A));
      d.S = static_cast<double>(d.DW) / W;
    } else {
      d.DH = CH;
      d.DW = ClampSize(std::trunc(CH * A));
      d.S = static_cast<double>(d.DH) / H;
    }
    return d;
  }

  TDisplaySize FitLongerEdge() const {
    TDisplaySize d = Fit();
    if (d.DW >= CW - sv && d.DH >= CH - sh) return d;
    if (A < Q) {
      d.DW = CW - sv;
      d.DH = ClampSize(std::trunc(d.DW / A));
      d.S = static_cast<double>(d.DW) / W;
    } else {
      d.DH = CH - sh;
      d.DW = ClampSize(std::trunc(d.DH * A));
      d.S = static_cast<double>(d.DH) / H;
    }
    return d;
  }

  bool NeedsBothBars() const {
    return (W > CW && H > CH - sh) || (W > CW - sv && H > CH);
  }
};

}  // namespace

TDisplaySize ComputeDisplaySize(TStretch stretch, double zoomFactor, int W, int H, int CW, int CH,
                                int sh, int sv) {
  TDisplaySize d{W, H, 1.0};
  if (W <= 0 || H <= 0 || CW <= 0 || CH <= 0) return d;
  const Fitter f{W, H, CW, CH, sh, sv, static_cast<double>(W) / H,
                 static_cast<double>(CW) / CH};
  const TDisplaySize natural{W, H, 1.0};
  switch (stretch) {
    case sNeverKAR: break;
    case sAlways: d = {CW, CH, -1.0}; break;
    case sAlwaysKAR: d = f.Fit(); break;
    case sShrink:
      if (W > CW) d.DW = CW, d.S = -1.0;
      if (H > CH) d.DH = CH, d.S = -1.0;
      break;
    case sShrinkKAR: d = (W > CW || H > CH) ? f.Fit() : natural; break;
    case sEnlarge: {
      const int AH = W > CW ? CH - sh : CH;
      const int AW = H > CH ? CW - sv : CW;
      if (AW > W) d.DW = AW, d.S = -1.0;
      if (AH > H) d.DH = AH, d.S = -1.0;
      break;
    }
    case sEnlargeKAR: d = (W < CW && H < CH) ? f.Fit() : natural; break;
    case sAlwaysLongerEdgeKAR: d = f.FitLongerEdge(); break;
    case sShrinkLongerEdgeKAR: d = f.NeedsBothBars() ? f.FitLongerEdge() : natural; break;
    case sEnlargeShrinkLongerEdgeKAR:
      d = (W < CW && H < CH) ? f.Fit() : f.NeedsBothBars() ? f.FitLongerEdge() : natural;
      break;
    case sEnlargeLongerEdgeKAR: d = (W < CW || H < CH) ? f.FitLongerEdge() : natural; break;
    case sZoomKAR:
      d.S = zoomFactor > 0 ? zoomFactor : 1.0;
      d.DW = RoundEvenSize(W * d.S);
      d.DH = RoundEvenSize(H * d.S);
      break;
  }
  // While there is a picture, nothing is drawn smaller than one pixel.
  d.DW = AtLeastOne(d.DW);
  d.DH = AtLeastOne(d.DH);
  return d;
}

TDisplayPosition ComputeDisplayPosition(bool center, int DW, int DH, int CW, int CH, int sh,
                                        int sv) {
  TDisplayPosition p;
  if (!center) return p;
  int AW = CW, AH = CH;
  for (int pass = 0; pass < 2; ++pass) {
    if (AW < DW && !p.HorizontalBar) {
      AH -= sh;
      p.HorizontalBar = true;
    }
    if (AH < DH && !p.VerticalBar) {
      AW -= sv;
      p.VerticalBar = true;
    }
  }
  if (AH > DH) p.Top = (AH - DH) / 2;
  if (AW > DW) p.Left = (AW - DW) / 2;
  return p;
}

void ComputeAutoSize(int W, int H, int border, int sh, int sv, const TAutoSizeLimits& limits,
                     int& w, int& h) {
  long long lw = static_cast<long long>(W) + 2 * border;
  long long lh = static_cast<long long>(H) + 2 * border;
  bool hBar = false, vBar = false;
  for (int pass = 0; pass < 2; ++pass) {
    if (lw > limits.MaxWidth && !hBar) {
      lh += sh;
      hBar = true;
    }
    if (lh > limits.MaxHeight && !vBar) {
      lw += sv;
      vBar = true;
    }
  }
  lw = std::max<long long>(std::min<long long>(lw, limits.MaxWidth), limits.MinWidth);
  lh = std::max<long long>(std::min<long long>(lh, limits.MaxHeight), limits.MinHeight);
  w = static_cast<int>(std::min<long long>(lw, std::numeric_limits<int>::max()));
  h = static_cast<int>(std::min<long long>(lh, std::numeric_limits<int>::max()));
}
