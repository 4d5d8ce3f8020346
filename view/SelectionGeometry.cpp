#include "view/SelectionGeometry.h"

#include <algorithm>

std::array<TBoxRect, 8> GripRects(const TBoxRect& s) {
  const int L = s.Left, T = s.Top, R = s.Right, B = s.Bottom;
  const int mx = (L + R) / 2, my = (T + B) / 2;
  return {TBoxRect{L - 8, T - 8, L - 3, T - 3}, TBoxRect{mx - 2, T - 8, mx + 3, T - 3},
          TBoxRect{R + 3, T - 8, R + 8, T - 3}, TBoxRect{L - 8, my - 2, L - 3, my + 3},
          TBoxRect{R + 3, my - 2, R + 8, my + 3}, TBoxRect{L - 8, B + 3, L - 3, B + 8},
          TBoxRect{mx - 2, B + 3, mx + 3, B + 8}, TBoxRect{R + 3, B + 3, R + 8, B + 8}};
}

std::optional<TGrip> HitGrip(const TBoxRect& s, int x, int y) {
  const auto grips = GripRects(s);
  for (int i = 0; i < 8; ++i)
    if (grips[static_cast<std::size_t>(i)].Contains(x, y)) return static_cast<TGrip>(i);
  return std::nullopt;
}

bool GripMovesLeft(TGrip g) { return g == gTopLeft || g == gMiddleLeft || g == gBottomLeft; }
bool GripMovesRight(TGrip g) { return g == gTopRight || g == gMiddleRight || g == gBottomRight; }
bool GripMovesTop(TGrip g) { return g == gTopLeft || g == gTopCentre || g == gTopRight; }
bool GripMovesBottom(TGrip g) {
  return g == gBottomLeft || g == gBottomCentre || g == gBottomRight;
}

TSelRect SelectionFromPoints(int ax, int ay, int x, int y) {
  const int left = std::min(x, ax), top = std::min(y, ay);
  return {left, top, std::max(x, ax) - left + 1, std::max(y, ay) - top + 1};
}

TSelRect MoveSelection(const TSelRect& s, int px, int py, int offsetX, int offsetY, int W, int H) {
  TSelRect r = s;
  r.Left = std::clamp(px - offsetX, std::min(1 - s.Width, W - 1), W - 1);
  r.Top = std::clamp(py - offsetY, std::min(1 - s.Height, H - 1), H - 1);
  return r;
}

TSelRect ResizeSelection(const TSelRect& s, TGrip g, int px, int py, int offsetX, int offsetY) {
  TSelRect r = s;
  if (GripMovesLeft(g)) {
    const int right = s.Left + s.Width;
    r.Left = std::min(px - offsetX, s.Left + s.Width - 1);
    r.Width = right - r.Left;
  }
  if (GripMovesTop(g)) {
    const int bottom = s.Top + s.Height;
    r.Top = std::min(py - offsetY, s.Top + s.Height - 1);
    r.Height = bottom - r.Top;
  }
  if (GripMovesRight(g)) r.Width = std::max(px - offsetX, 1);
  if (GripMovesBottom(g)) r.Height = std::max(py - offsetY, 1);
  return r;
}

void GripOffsets(const TSelRect& s, TGrip g, int px, int py, int& offsetX, int& offsetY) {
  offsetX = GripMovesLeft(g) ? px - s.Left : GripMovesRight(g) ? px - s.Width : 0;
  offsetY = GripMovesTop(g) ? py - s.Top : GripMovesBottom(g) ? py - s.Height : 0;
}

TSelRect ClipSelection(const TSelRect& s, int W, int H) {
  const long long l = std::max<long long>(s.Left, 0), t = std::max<long long>(s.Top, 0);
  const long long r = std::min<long long>(1LL * s.Left + s.Width, W);
  const long long b = std::min<long long>(1LL * s.Top + s.Height, H);
  if (r <= l || b <= t) return {0, 0, 0, 0};
  return {static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l), static_cast<int>(b - t)};
}
