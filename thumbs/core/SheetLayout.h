// Where everything of a contact sheet goes: the sheet's size, the cells, the thumbnails in
// them, the shadows and the file names. Sizes are computed in 64 bits.
#pragma once

#include <cstdint>
#include <string>

#include "thumbs/core/SheetOptions.h"
#include "thumbs/core/ThumbGeometry.h"

struct TSheetPoint {
  int X = 0;
  int Y = 0;
};

struct TSheetRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;   // exclusive
  int Bottom = 0;  // exclusive
};

struct TSheetLayout {
  int Count = 0;
  int Size = 0;
  int Cols = 0;
  int Rows = 0;
  int HSpace = 0;
  int VSpace = 0;
  int TitleBand = 0;
  int FooterBand = 0;
  std::int64_t Width = 0;
  std::int64_t Height = 0;

  // The top-left corner of entry k's S x S cell.
  TSheetPoint CellOrigin(int k) const;
  // A thumbnail of the given size stands centred on the bottom edge of its cell.
  TSheetPoint ThumbOrigin(int k, TThumbSize thumb) const;
  // The file name's top-left corner for a text `textWidth` wide, and its clipping rectangle.
  TSheetPoint NameOrigin(int k, int textWidth) const;
  TSheetRect NameClip(int k) const;
  // "ThumbVex size : W X H"
  std::string SizeText() const;
};

// Lays out `count` entries (count > 0) after checking the options' ranges; raises ESheetError
// with the range message, or when the sheet would be too large to allocate.
TSheetLayout LayoutSheet(const TSheetOptions& options, int count, int titleBand, int footerBand);

// The band a line of text takes: trunc(1.4 x the height of "X").
int SheetTextBand(int heightOfX);
