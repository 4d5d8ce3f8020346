// Lays text lines out on pages: each line goes below the previous one until it would cross
// the bottom limit, then a new page begins at the top margin.
#pragma once

#include <stdexcept>

#include "print/core/PageFrame.h"

struct TLineRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Where one line goes.
struct TLinePlacement {
  bool StartsPage = false;    // a page begins with this line (header and footer are due)
  bool NeedsNewPage = false;  // ...and it is not the document's first page
  int PageNumber = 0;         // from 1
  int X = 0, Y = 0;           // top left of the text
  TLineRect Rect;             // the line's clip rectangle
};

// A line height that is not a usable height (negative, or left unset by an owner).
class EInvalidLineHeight : public std::runtime_error {
 public:
  EInvalidLineHeight() : std::runtime_error("OnOwnerHeight Event returned an invalid height!") {}
};

class TPaginator {
 public:
  explicit TPaginator(const TPageFrame& frame) : FFrame(frame) {}

  // Places the next line of the given height. forceNewPage starts a new page before it
  // (ignored while no page has begun, so a document never starts with a blank page).
  // Raises EInvalidLineHeight for a negative height.
  TLinePlacement Place(int height, bool forceNewPage);

  int PageCount() const { return FPage; }

 private:
  TPageFrame FFrame;
  int FPage = 0;
  long long FY = -2;  // -2: no page begun; -1: a new page is due
};
