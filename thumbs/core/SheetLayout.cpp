#include "thumbs/core/SheetLayout.h"

#include <climits>

#include "imaging/PGraphic.h"

TSheetPoint TSheetLayout::CellOrigin(int k) const {
  const int r = k / Cols, c = k % Cols;
  return {20 + c * (Size + HSpace), TitleBand + 20 + r * (Size + VSpace)};
}

TSheetPoint TSheetLayout::ThumbOrigin(int k, TThumbSize thumb) const {
  const TSheetPoint cell = CellOrigin(k);
  return {cell.X + (Size - thumb.Width) / 2, cell.Y + Size - thumb.Height};
}

TSheetPoint TSheetLayout::NameOrigin(int k, int textWidth) const {
  const TSheetPoint cell = CellOrigin(k);
  const int top = cell.Y + Size + 4;
  if (textWidth < HSpace + Size) return {cell.X + Size / 2 - textWidth / 2, top};
  return {cell.X - HSpace / 2, top};
}

TSheetRect TSheetLayout::NameClip(int k) const {
  const TSheetPoint cell = CellOrigin(k);
  const int top = cell.Y + Size + 4;
  return {cell.X - HSpace / 2, top, cell.X + Size + HSpace / 2, top + 20};
}

std::string TSheetLayout::SizeText() const {
  return "ThumbVex size : " + std::to_string(Width) + " X " + std::to_string(Height);
}

int SheetTextBand(int heightOfX) { return static_cast<int>(1.4 * heightOfX); }

TSheetLayout LayoutSheet(const TSheetOptions& options, int count, int titleBand, int footerBand) {
  CheckSheetOptions(options);
  if (count < 1) throw ESheetError("You must drag some images into the listbox first!");
  TSheetLayout l;
  l.Count = count;
  l.Size = options.Size;
  l.Cols = options.Cols;
  l.Rows = count / l.Cols + (count % l.Cols != 0 ? 1 : 0);
  l.HSpace = options.HSpace;
  l.VSpace = options.VSpace;
  l.TitleBand = titleBand;
  l.FooterBand = footerBand;
  const std::int64_t s = l.Size, m = l.Cols, r = l.Rows;
  l.Width = std::int64_t{l.HSpace} * (m - 1) + s * m + 40;
  l.Height = std::int64_t{l.VSpace} * (r - 1) + s * r + titleBand + footerBand + 60;
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(l.Width) * 3 + 3) / 4 * 4;
  if (l.Width > INT_MAX || l.Height > INT_MAX ||
      rowBytes * static_cast<std::uint64_t>(l.Height) > PGMaxImageBytes)
    throw ESheetError("The sheet would be " + std::to_string(l.Width) + " X " +
                      std::to_string(l.Height) +
                      " pixels, too large to make. Use fewer files or a smaller size.");
  return l;
}
