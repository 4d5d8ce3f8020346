// Makes a contact sheet: a grid of thumbnails of the given files on a plain or tiled
// background, framed, bevelled and shadowed as the options say, with the file names under the
// cells and an optional title and footer line.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "imaging/PGraphic.h"
#include "thumbs/core/SheetLayout.h"
#include "thumbs/core/SheetOptions.h"

// Text on the sheet: measured and drawn by the platform's font machinery.
class TSheetText {
 public:
  virtual ~TSheetText() = default;
  virtual int TextWidth(const TSheetFont& font, const std::string& text) = 0;
  virtual int TextHeight(const TSheetFont& font, const std::string& text) = 0;
  // Draws the text with its top-left corner at (x, y), transparent background, clipped to
  // `clip`.
  virtual void DrawText(TPixelGraphic& sheet, const TSheetFont& font, int x, int y,
                        const std::string& text, const TSheetRect& clip) = 0;
};

struct TSheetResult {
  std::unique_ptr<TPixelGraphic> Sheet;
  TSheetLayout Layout;
  std::vector<std::string> FailedFiles;  // entries whose cell stayed empty
  std::string BackgroundError;           // "" or the background picture's failure
};

// Called before each entry with its index and the number of entries; returning false stops.
using TSheetProgress = std::function<bool(int index, int count)>;

// The font of the file names.
TSheetFont SheetNameFont(const TSheetOptions& options);

// Raises ESheetError for an empty list, options outside their ranges and sheets too large to
// make. A file that fails leaves its cell empty with its name under it; the rest is made.
TSheetResult BuildSheet(const std::vector<std::string>& files, const TSheetOptions& options,
                        TSheetText& text, const TSheetProgress& progress = {});

// The thumbnail of one file at the sheet's size (smaller pictures enlarged): JPEGs decoded at
// a reduced scale. Raises on failure.
std::unique_ptr<TPixelGraphic> LoadSheetThumb(const std::string& path, int size);
