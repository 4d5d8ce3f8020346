// Displayed size, position and auto size of a picture in the view (no toolkit involved).
#pragma once

#include "view/ViewTypes.h"

struct TDisplaySize {
  int DW = 0, DH = 0;
  double S = 1.0;  // effective scale; -1.0 marks a non-uniform scale
};

// Displayed size of a W x H picture in an area of CW x CH (inside the border, scroll bars
// included) under a fit policy; sh and sv are the scroll bars' thicknesses.
TDisplaySize ComputeDisplaySize(TStretch stretch, double zoomFactor, int W, int H, int CW, int CH,
                                int sh, int sv);

struct TDisplayPosition {
  int Left = 0, Top = 0;
  bool HorizontalBar = false, VerticalBar = false;
};

// Where the picture sits: centred in the area when smaller (with Center), else at the origin.
TDisplayPosition ComputeDisplayPosition(bool center, int DW, int DH, int CW, int CH, int sh,
                                        int sv);

struct TAutoSizeLimits {
  int MinWidth = 0, MinHeight = 0;
  int MaxWidth = 2147483647, MaxHeight = 2147483647;
};

// Size of the whole control that shows a W x H picture with border b.
void ComputeAutoSize(int W, int H, int border, int sh, int sv, const TAutoSizeLimits& limits,
                     int& w, int& h);

// The drawn size never drops below one pixel while there is a picture.
inline int AtLeastOne(int v) { return v < 1 ? 1 : v; }
