// Album pages recorded through the print engine: a grid of cells per page, each picture
// fitted inside its cell's border, optional frames and captions, the engine's header, footer
// and page number on every page.
#pragma once

#include <QString>
#include <functional>

#include "albums/core/AlbumDocument.h"

class TPreviewPrinter;

// The album window's engine: portrait, inches, 1-inch margins, header margin 0.5, footer
// margin 0.75, no header or footer text, "Page %d" at the bottom right in 10-point italic
// Times New Roman; then the page setup defaults the user saved.
void ConfigureAlbumEngine(TPreviewPrinter& engine);

// The frame border is counted in printer dots. Without a printer the engine would lay pages out
// at screen resolution, where the default border leaves no room for a picture; pages are then
// laid out for a 600-dpi printer on the engine's paper instead.
void UseAlbumReferenceDevice(TPreviewPrinter& engine);
inline constexpr int kAlbumFallbackDpi = 600;

struct TAlbumPrintHooks {
  // Before each entry is placed: its index (from 0), the number of entries and its path.
  std::function<void(int entry, int count, const QString& path)> OnEntry;
  // A picture that could not be loaded or drawn: its cell stays empty (frame and caption
  // drawn), and the album goes on.
  std::function<void(const QString& path, const QString& reason)> OnLoadError;
  // Asked before each entry; true stops the recording (the pages so far are kept).
  std::function<bool()> Stopped;
};

// The message for a picture that cannot be printed.
QString CantLoadMessage(const QString& path);

// The number of pages the album prints on (at least one).
int AlbumPages(const TAlbum& album);

// Records the album's pages (an album without entries gives one page with header, footer
// and page number). Returns the number of entries placed.
int RecordAlbum(TPreviewPrinter& engine, const TAlbum& album, const TAlbumPrintHooks& hooks = {});
// Records only pages first..first + count - 1 (from 0) with their own page numbers, so that a
// long album can be written page by page without holding every page.
int RecordAlbumPages(TPreviewPrinter& engine, const TAlbum& album, int first, int count,
                     const TAlbumPrintHooks& hooks = {});
