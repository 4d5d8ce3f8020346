#include "print/core/Paginator.h"

TLinePlacement TPaginator::Place(int height, bool forceNewPage) {
  if (height < 0) throw EInvalidLineHeight();
  if (forceNewPage && FY >= 0) FY = -1;
  TLinePlacement p;
  if (FY < 0 || FFrame.BottomLimit < FY + height) {
    ++FPage;
    p.StartsPage = true;
    p.NeedsNewPage = FY >= -1;
    FY = FFrame.Top;
  }
  p.PageNumber = FPage;
  p.X = FFrame.Left;
  p.Y = static_cast<int>(FY);
  p.Rect = {FFrame.Left, p.Y, FFrame.PageWidth - FFrame.RightMargin + 1,
            static_cast<int>(FY + height + 1)};
  FY += height;
  return p;
}
