#include "albums/core/AlbumLayout.h"

#include <algorithm>
#include <cmath>

std::vector<TCellRect> AlbumCells(const TAlbumPageArea& a, int rows, int cols) {
  rows = std::clamp(rows, kMinCells, kMaxCells);
  cols = std::clamp(cols, kMinCells, kMaxCells);
  const long long usableW = static_cast<long long>(a.PageWidth) - a.MarginLeft - a.MarginRight;
  const long long usableH = static_cast<long long>(a.PageHeight) - a.MarginTop - a.MarginBottom;
  const int cw = static_cast<int>(usableW / cols);
  const int ch = static_cast<int>(usableH / rows);
  std::vector<TCellRect> cells;
  if (cw <= 0 || ch <= 0) return cells;
  cells.reserve(static_cast<std::size_t>(rows * cols));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c)
      cells.push_back({a.MarginLeft + cw * c, a.MarginTop + ch * r, a.MarginLeft + cw * (c + 1),
                       a.MarginTop + ch * (r + 1)});
  return cells;
}

namespace {

// Round to nearest, halves to even.
long long RoundEven(double value) {
  const double r = std::nearbyint(value);
  return static_cast<long long>(r);
}

}  // namespace

std::optional<TCellRect> FitPictureInCell(const TCellRect& cell, int border, int width,
                                          int height) {
  const long long aw = static_cast<long long>(cell.Width()) - 2LL * border;
  const long long ah = static_cast<long long>(cell.Height()) - 2LL * border;
  if (aw <= 0 || ah <= 0 || width <= 0 || height <= 0) return std::nullopt;
  const double ratio = static_cast<double>(height) / width;
  long long w = aw;
  long long h = RoundEven(ratio * static_cast<double>(aw));
  if (h > ah) {
    h = ah;
    w = RoundEven(static_cast<double>(ah) / ratio);
  }
  w = std::clamp(w, 1LL, aw);
  h = std::clamp(h, 1LL, ah);
  TCellRect r;
  r.Left = cell.Left + static_cast<int>((cell.Width() - w) / 2);
  r.Top = cell.Top + static_cast<int>((cell.Height() - h) / 2);
  r.Right = r.Left + static_cast<int>(w);
  r.Bottom = r.Top + static_cast<int>(h);
  return r;
}

TCaptionPlace CaptionPlace(const TCellRect& cell, int textWidth, int lineHeight) {
  const long long centre = (static_cast<long long>(cell.Left) + cell.Right) / 2;
  return {static_cast<int>(centre - textWidth / 2),
          cell.Bottom - static_cast<int>(RoundEven(1.5 * lineHeight))};
}

std::string CaptionTextOf(const TAlbumEntry& entry, TCaptionOption option) {
  switch (option) {
    case TCaptionOption::coFilename:
      return AlbumFileNameOf(entry.Path);
    case TCaptionOption::coCaption:
      return entry.Caption;
    default:
      return {};
  }
}

TAlbumSlot AlbumSlotOf(int entry, int cellsPerPage) {
  cellsPerPage = std::max(1, cellsPerPage);
  return {entry / cellsPerPage, entry % cellsPerPage};
}

int AlbumPageCount(int entries, int cellsPerPage) {
  cellsPerPage = std::max(1, cellsPerPage);
  return entries <= 0 ? 1 : (entries + cellsPerPage - 1) / cellsPerPage;
}
