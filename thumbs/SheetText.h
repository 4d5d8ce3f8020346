// TQtSheetText: the sheet's text measured and drawn with Qt's fonts on the picture's own
// pixels. Point sizes are taken at 96 dots per inch, whatever the screen.
#pragma once

#include "thumbs/core/SheetBuilder.h"

class QFont;

class TQtSheetText : public TSheetText {
 public:
  int TextWidth(const TSheetFont& font, const std::string& text) override;
  int TextHeight(const TSheetFont& font, const std::string& text) override;
  void DrawText(TPixelGraphic& sheet, const TSheetFont& font, int x, int y,
                const std::string& text, const TSheetRect& clip) override;

  static QFont FontOf(const TSheetFont& font);
};
