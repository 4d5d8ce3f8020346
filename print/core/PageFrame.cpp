#include "print/core/PageFrame.h"

TPageFrame ComputePageFrame(const TPageMetrics& m, const TTextOptions& o, TUnits units) {
  TPageFrame f;
  f.PageWidth = m.PageWidth;
  f.PageHeight = m.PageHeight;
  f.Left = UnitsToPixels(o.MarginLeft, m.ResX, units);
  f.RightMargin = UnitsToPixels(o.MarginRight, m.ResX, units);
  f.Top = UnitsToPixels(o.MarginTop, m.ResY, units);
  f.BottomLimit =
      UnitsToPixels(PixelsToUnits(m.PageHeight, m.ResY, units) - o.MarginBottom, m.ResY, units);
  f.HeaderY = UnitsToPixels(o.HeaderMargin, m.ResY, units);
  f.FooterY = m.PageHeight - UnitsToPixels(o.FooterMargin, m.ResY, units);
  return f;
}

int AlignedTextX(TAlignment alignment, int textWidth, const TPageFrame& f) {
  switch (alignment) {
    case TAlignment::taLeftJustify:
      return f.Left;
    case TAlignment::taRightJustify:
      return f.PageWidth - f.RightMargin - textWidth;
    case TAlignment::taCenter:
      break;
  }
  return f.PageWidth / 2 - textWidth / 2;
}
