#include "albums/AlbumPrint.h"

#include <QFontMetrics>
#include <QPainter>

#include "albums/AlbumPicture.h"
#include "albums/core/AlbumLayout.h"
#include "imaging/PGErrors.h"
#include "print/PageSetupDefaults.h"
#include "print/PreviewPrinter.h"
#include "print/PrinterDevice.h"

void ConfigureAlbumEngine(TPreviewPrinter& engine) {
  engine.Orientation = TOrientation::poPortrait;
  engine.Units = TUnits::unInches;
  TTextOptions& o = engine.TextOptions;
  o = TTextOptions();
  o.MarginLeft = o.MarginTop = o.MarginRight = o.MarginBottom = 1.0;
  o.HeaderMargin = 0.5;
  o.FooterMargin = 0.75;
  o.Header.clear();
  o.Footer.clear();
  o.PageNumText = "Page %d";
  o.PrintPageNumber = TPageNumberPosition::pnBottom;
  o.PageNumAlign = TAlignment::taRightJustify;
  o.PageNumFont = MakeFont("Times New Roman", 10, false, true);
  engine.ZoomOption = TZoomOption::zoFitToPage;
  engine.Title = QStringLiteral("Lumivex Photo Album");
  LoadPageSetupDefaults(engine);
}

void UseAlbumReferenceDevice(TPreviewPrinter& engine) {
  if (ReferencePrinter())
    engine.SetReferenceMetrics(std::nullopt);
  else
    engine.SetReferenceMetrics(FallbackPageMetrics(kAlbumFallbackDpi, engine.Orientation));
}

QString CantLoadMessage(const QString& path) {
  return QStringLiteral("Can't load graphic file ") + path;
}

namespace {

// The caption font on the page; system colours (negative values) print as black text.
void UseCaptionFont(QPainter& canvas, const TCaptionFont& f) {
  TFontSpec spec = MakeFont(f.Name, f.Size, f.Bold, f.Italic);
  canvas.setFont(TPreviewPrinter::DeviceFont(spec));
  const TRGB rgb = f.Color < 0 ? 0 : static_cast<TRGB>(f.Color);
  canvas.setPen(QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)));
}

void DrawCaption(QPainter& canvas, const TCellRect& cell, const std::string& text) {
  if (text.empty()) return;
  const QString caption = QString::fromStdString(text);
  const QFontMetrics fm = canvas.fontMetrics();
  // The line height is the height of the font's text ("X").
  const TCaptionPlace place = CaptionPlace(cell, fm.horizontalAdvance(caption), fm.height());
  canvas.drawText(QPoint(place.Left, place.Top + fm.ascent()), caption);
}

void DrawFrame(QPainter& canvas, const TCellRect& cell) {
  canvas.save();
  canvas.setPen(QPen(Qt::black, 1));
  canvas.setBrush(Qt::NoBrush);
  canvas.drawRect(QRect(cell.Left, cell.Top, cell.Width() - 1, cell.Height() - 1));
  canvas.restore();
}

// Places one entry; a picture that cannot be loaded or drawn leaves its cell empty.
void PlaceEntry(QPainter& canvas, const TAlbumEntry& entry, const TCellRect& cell,
                const TAlbumSettings& s, const TAlbumPrintHooks& hooks) {
  if (s.PrintFrames) DrawFrame(canvas, cell);
  try {
    const std::unique_ptr<TAlbumPicture> picture = LoadAlbumPicture(entry.Path);
    DrawAlbumPicture(canvas, *picture, cell, s.Border);
  } catch (const std::exception& e) {
    if (hooks.OnLoadError)
      hooks.OnLoadError(QString::fromStdString(entry.Path), QString::fromUtf8(e.what()));
  }
  if (s.Caption != TCaptionOption::coNone)
    DrawCaption(canvas, cell, CaptionTextOf(entry, s.Caption));
}

int PerPage(const TAlbumSettings& s) {
  return std::clamp(s.Rows, kMinCells, kMaxCells) * std::clamp(s.Cols, kMinCells, kMaxCells);
}

}  // namespace

int AlbumPages(const TAlbum& album) {
  return AlbumPageCount(static_cast<int>(album.Entries.size()), PerPage(album.Settings));
}

int RecordAlbum(TPreviewPrinter& engine, const TAlbum& album, const TAlbumPrintHooks& hooks) {
  return RecordAlbumPages(engine, album, 0, AlbumPages(album), hooks);
}

int RecordAlbumPages(TPreviewPrinter& engine, const TAlbum& album, int first, int count,
                     const TAlbumPrintHooks& hooks) {
  const TAlbumSettings& s = album.Settings;
  const int perPage = PerPage(s);
  first = std::clamp(first, 0, AlbumPages(album) - 1);
  count = std::clamp(count, 1, AlbumPages(album) - first);
  engine.BeginDoc();
  const TPageMetrics& m = engine.Metrics();
  const TTextOptions& o = engine.TextOptions;
  const TAlbumPageArea area{m.PageWidth,
                            m.PageHeight,
                            engine.XToPixels(o.MarginLeft),
                            engine.YToPixels(o.MarginTop),
                            engine.XToPixels(o.MarginRight),
                            engine.YToPixels(o.MarginBottom)};
  const std::vector<TCellRect> cells = AlbumCells(area, s.Rows, s.Cols);
  engine.Canvas();  // the first page is printed even when it stays empty
  if (s.Caption != TCaptionOption::coNone) UseCaptionFont(*engine.Canvas(), s.Font);
  engine.PrintHeaderFooter(first + 1);
  const int total = static_cast<int>(album.Entries.size());
  const int begin = first * perPage;
  const int end = std::min(total, (first + count) * perPage);
  int placed = 0;
  for (int e = begin; e < end; ++e) {
    if (hooks.Stopped && hooks.Stopped()) break;
    const TAlbumEntry& entry = album.Entries[static_cast<std::size_t>(e)];
    if (hooks.OnEntry) hooks.OnEntry(e, total, QString::fromStdString(entry.Path));
    const TAlbumSlot slot = AlbumSlotOf(e, perPage);
    if (slot.Cell == 0 && e > begin) {
      engine.NewPage();
      engine.PrintHeaderFooter(slot.Page + 1);
    }
    if (!cells.empty())
      PlaceEntry(*engine.Canvas(), entry, cells[static_cast<std::size_t>(slot.Cell)], s, hooks);
    ++placed;
  }
  engine.EndDoc();
  return placed;
}
