// Album pages: the grid of equal cells, each picture fitted inside its cell's border, and the
// caption under it. All values are page pixels.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "albums/core/AlbumDocument.h"

struct TCellRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TCellRect&) const = default;
};

// The page area the cells share: page size and the margins in page pixels.
struct TAlbumPageArea {
  int PageWidth = 0, PageHeight = 0;
  int MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0;
};

// The cells of a page, row by row (cell k = row x columns + column). Rows and columns outside
// 1..6 are brought into it. No cells when the margins leave no room.
std::vector<TCellRect> AlbumCells(const TAlbumPageArea& area, int rows, int cols);

// Where a width x height picture lands in a cell: as wide as the cell less twice the border,
// or as high when that is too high, aspect kept (round to nearest, halves to even), centred.
// Nothing for a cell not larger than twice the border or a picture without pixels.
std::optional<TCellRect> FitPictureInCell(const TCellRect& cell, int border, int width,
                                          int height);

// The top-left corner of a caption textWidth wide with lines lineHeight high: centred across
// the cell, one and a half lines above its bottom edge.
struct TCaptionPlace {
  int Left = 0, Top = 0;
};
TCaptionPlace CaptionPlace(const TCellRect& cell, int textWidth, int lineHeight);

// The caption drawn under an entry's picture ("" for none).
std::string CaptionTextOf(const TAlbumEntry& entry, TCaptionOption option);

// Where each entry goes: page (from 0) and cell. Pages needed for `entries` entries (at least
// one: an empty album prints one page with its header and footer).
struct TAlbumSlot {
  int Page = 0;
  int Cell = 0;
};
TAlbumSlot AlbumSlotOf(int entry, int cellsPerPage);
int AlbumPageCount(int entries, int cellsPerPage);
