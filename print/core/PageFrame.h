// Where the margins, header and footer fall on a page, in reference-device pixels measured
// from the paper corner.
#pragma once

#include "print/core/PageMetrics.h"
#include "print/core/PrintUnits.h"
#include "print/core/TextOptions.h"

struct TPageFrame {
  int PageWidth = 0;
  int PageHeight = 0;
  int Left = 0;         // left margin
  int RightMargin = 0;  // width of the right margin
  int Top = 0;          // first body line
  int BottomLimit = 0;  // no body line reaches below this
  int HeaderY = 0;      // top of header text
  int FooterY = 0;      // top of footer text
};

TPageFrame ComputePageFrame(const TPageMetrics& metrics, const TTextOptions& options, TUnits units);

// The x where a text of the given width starts: at the left margin, ending at the right
// margin, or centred on the paper.
int AlignedTextX(TAlignment alignment, int textWidth, const TPageFrame& frame);
