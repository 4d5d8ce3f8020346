#include "thumbs/core/SheetOptions.h"

std::string TSheetRange::Message() const {
  return "Invalid value. Enter a value between " + std::to_string(Min) + " and " +
         std::to_string(Max);
}

void CheckSheetOptions(const TSheetOptions& o) {
  const std::pair<int, TSheetRange> checks[] = {
      {o.Size, kSheetSizeRange},
      {o.Cols, kSheetColsRange},
      {o.HSpace, kSheetHSpaceRange},
      {o.VSpace, kSheetVSpaceRange},
      {o.SharpeningFactor, kSheetSharpenRange},
      {o.TitleFont.Points, kSheetFontSizeRange},
      {o.FooterFont.Points, kSheetFontSizeRange},
  };
  for (const auto& [value, range] : checks)
    if (!range.Contains(value)) throw ESheetError(range.Message());
}
