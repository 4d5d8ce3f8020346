#include "thumbs/core/SheetBuilder.h"

#include <filesystem>

#include "imaging/filters/Compositions.h"
#include "thumbs/core/RegistryLoad.h"
#include "thumbs/core/SheetEffects.h"
#include "thumbs/core/ThumbnailMaker.h"

namespace {

constexpr int kBevelDepth = 6;

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// Starts the sheet: plain background colour, or the picture tiled over it.
std::unique_ptr<TPixelGraphic> StartSheet(const TSheetLayout& layout, const TSheetOptions& o,
                                          std::string& backgroundError) {
  auto sheet = std::make_unique<TPixelGraphic>();
  sheet->StretchMode = smPrecise;
  sheet->SetBackGroundColor(o.BackgroundColor);
  sheet->SetSize(static_cast<int>(layout.Width), static_cast<int>(layout.Height), pf24Bit);
  sheet->Clear();
  if (!o.UseBackgroundImage) return sheet;
  try {
    TPixelGraphic tile;
    LoadThroughRegistry(o.BackgroundImage, tile, false);
    TileSheet(*sheet, tile);
  } catch (const std::exception&) {
    backgroundError = "Could not load Background Image file " + o.BackgroundImage;
  }
  return sheet;
}

void PlaceEntry(TPixelGraphic& sheet, const TSheetLayout& layout, const TSheetOptions& o,
                int k, const std::string& path) {
  auto thumb = LoadSheetThumb(path, layout.Size);
  if (o.AutoSharpen) SharpenThumb(*thumb, o.SharpeningFactor);
  if (o.AddBorder) FrameThumb(*thumb, o.BorderColor);
  if (o.Bevel) ApplyBevel(*thumb, kBevelDepth);
  const TThumbSize size{thumb->Width(), thumb->Height()};
  const TSheetPoint at = layout.ThumbOrigin(k, size);
  if (o.DropShadow) DrawThumbShadow(sheet, at.X, at.Y, size);
  sheet.CopyRegion(at.X, at.Y, *thumb, 0, 0, size.Width, size.Height);
}

void DrawName(TPixelGraphic& sheet, const TSheetLayout& layout, const TSheetOptions& o, int k,
              const std::string& path, TSheetText& text) {
  const TSheetFont font = SheetNameFont(o);
  const std::string name = FileNameOf(path);
  const TSheetPoint at = layout.NameOrigin(k, text.TextWidth(font, name));
  text.DrawText(sheet, font, at.X, at.Y, name, layout.NameClip(k));
}

// A title or footer line centred at y; "Text Too Long" at the left when it does not fit.
void DrawLine(TPixelGraphic& sheet, const TSheetFont& font, const std::string& line, int y,
              TSheetText& text) {
  const int width = text.TextWidth(font, line);
  const TSheetRect all{0, 0, sheet.Width(), sheet.Height()};
  if (width > sheet.Width())
    text.DrawText(sheet, font, 0, y, "Text Too Long", all);
  else
    text.DrawText(sheet, font, (sheet.Width() - width) / 2, y, line, all);
}

}  // namespace

TSheetFont SheetNameFont(const TSheetOptions& options) {
  return TSheetFont{"Arial", 8, options.TextColor};
}

std::unique_ptr<TPixelGraphic> LoadSheetThumb(const std::string& path, int size) {
  TPixelGraphic picture;
  const TThumbSize full = LoadPictureCovering(
      path, picture, [&](int w, int h) { return SheetThumbSize(w, h, size); }, false);
  const TThumbSize thumbSize = SheetThumbSize(full.Width, full.Height, size);
  if (thumbSize.Width < 1 || picture.Empty()) throw ESheetError("empty picture");
  auto thumb = std::make_unique<TPixelGraphic>();
  TThumbnailMaker::Resample(*thumb, picture, thumbSize);
  return thumb;
}

TSheetResult BuildSheet(const std::vector<std::string>& files, const TSheetOptions& o,
                        TSheetText& text, const TSheetProgress& progress) {
  if (files.empty()) throw ESheetError("You must drag some images into the listbox first!");
  CheckSheetOptions(o);
  const int title = o.IncludeTitle ? SheetTextBand(text.TextHeight(o.TitleFont, "X")) : 0;
  const int footer = o.IncludeFooter ? SheetTextBand(text.TextHeight(o.FooterFont, "X")) : 0;
  TSheetResult result;
  result.Layout = LayoutSheet(o, static_cast<int>(files.size()), title, footer);
  result.Sheet = StartSheet(result.Layout, o, result.BackgroundError);
  TPixelGraphic& sheet = *result.Sheet;
  const int count = result.Layout.Count;
  for (int k = 0; k < count; ++k) {
    if (progress && !progress(k, count)) break;
    try {
      PlaceEntry(sheet, result.Layout, o, k, files[k]);
    } catch (const std::exception&) {
      result.FailedFiles.push_back(files[k]);
    }
    if (o.IncludeFileNames) DrawName(sheet, result.Layout, o, k, files[k], text);
  }
  if (o.IncludeTitle) DrawLine(sheet, o.TitleFont, o.Title, 20, text);
  if (o.IncludeFooter)
    DrawLine(sheet, o.FooterFont, o.Footer, sheet.Height() - footer - 10, text);
  sheet.Changed();
  return result;
}
