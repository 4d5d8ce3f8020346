// Selection rectangle arithmetic of the view: coordinate mapping, grips and gestures.
#pragma once

#include <array>
#include <optional>

struct TSelRect {
  int Left = 0, Top = 0, Width = 1, Height = 1;
  bool operator==(const TSelRect&) const = default;
};

struct TBoxRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(int x, int y) const { return Left <= x && x < Right && Top <= y && y < Bottom; }
};

// Maps between paint-box pixels (box size bw x bh) and picture pixels (W x H).
struct TSelectionMapper {
  int W = 0, H = 0, BoxW = 0, BoxH = 0;
  int ToImageX(int x) const { return BoxW == 0 ? 0 : static_cast<int>(1LL * x * W / BoxW); }
  int ToImageY(int y) const { return BoxH == 0 ? 0 : static_cast<int>(1LL * y * H / BoxH); }
  int ToBoxX(int x) const { return W == 0 ? 0 : static_cast<int>(1LL * x * BoxW / W); }
  int ToBoxY(int y) const { return H == 0 ? 0 : static_cast<int>(1LL * y * BoxH / H); }
  TBoxRect ToBox(const TSelRect& s) const {
    return {ToBoxX(s.Left), ToBoxY(s.Top), ToBoxX(s.Left + s.Width), ToBoxY(s.Top + s.Height)};
  }
};

// The eight grips in the order they are tested.
enum TGrip { gTopLeft, gTopCentre, gTopRight, gMiddleLeft, gMiddleRight, gBottomLeft,
             gBottomCentre, gBottomRight };

std::array<TBoxRect, 8> GripRects(const TBoxRect& s);
std::optional<TGrip> HitGrip(const TBoxRect& s, int x, int y);
bool GripMovesLeft(TGrip g);
bool GripMovesRight(TGrip g);
bool GripMovesTop(TGrip g);
bool GripMovesBottom(TGrip g);

// The selection spanned by an anchor and a current point, both inside it.
TSelRect SelectionFromPoints(int ax, int ay, int x, int y);

// A moved selection keeps at least one column and one row on the picture.
TSelRect MoveSelection(const TSelRect& s, int px, int py, int offsetX, int offsetY, int W, int H);

// Drag of a grip: left and top edges keep at least one pixel, right and bottom at least one.
TSelRect ResizeSelection(const TSelRect& s, TGrip g, int px, int py, int offsetX, int offsetY);

// Offsets taken when a grip drag starts.
void GripOffsets(const TSelRect& s, TGrip g, int px, int py, int& offsetX, int& offsetY);

// Marquee pattern k (0..7): true where the pixel takes the second colour.
inline bool MarqueeSecondColor(int k, int column, int row) {
  return ((row + column - k + 8) % 8 + 8) % 8 > 3;
}

// Intersection of a selection with the picture; empty (Width 0) when they do not meet.
TSelRect ClipSelection(const TSelRect& s, int W, int H);
