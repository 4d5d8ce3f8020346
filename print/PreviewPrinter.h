// TPreviewPrinter: records printed pages, previews them and sends them to the printer.
//
// A caller opens a recording with BeginDoc, draws on Canvas() in the reference device's pixels
// (from the paper corner; margins are distances from the paper edges), starts pages with
// NewPage, and closes with EndDoc; or hands a list of text lines to PrintStrings, which
// paginates by itself. Header, footer and page number come from TextOptions through
// PrintHeaderFooter. The pages are then previewed (print/PrintWindows.h), printed
// (PrintPages) or written as PDF (print/PrintOutput.h) as often as wanted.
//
//   engine.BeginDoc();
//   for (int page = 1; page <= pages; ++page) {
//     if (page > 1) engine.NewPage();
//     QPainter& canvas = *engine.Canvas();   // reference-device pixels
//     ... draw the page, using engine.Metrics() and engine.DeviceFont(...) ...
//     engine.PrintHeaderFooter(page);
//   }
//   engine.EndDoc();
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "print/PagePicture.h"
#include "print/core/PageFrame.h"
#include "print/core/PageMetrics.h"
#include "print/core/PrintUnits.h"
#include "print/core/TextOptions.h"

class QPainter;
class QPrinter;
class QRect;

enum class TZoomOption { zoFitToPage, zoFitToWidth, zoTwoPages, zoCustom };

// What an OnStatus message reports.
enum class TPrintStatus {
  psPageStarted = 0,   // a page was started while recording
  psPagePrinting = 1,  // a page is being printed
  psRecordingComplete = 2,
  psPrintComplete = 3,
};

class TPreviewPrinter {
 public:
  TPreviewPrinter();
  ~TPreviewPrinter();
  TPreviewPrinter(const TPreviewPrinter&) = delete;
  TPreviewPrinter& operator=(const TPreviewPrinter&) = delete;

  // Settings.
  TOrientation Orientation = TOrientation::poPortrait;
  QString Title;
  TTextOptions TextOptions;
  TUnits Units = TUnits::unInches;
  bool ShowGrid = false;
  TZoomOption ZoomOption = TZoomOption::zoFitToPage;
  int ZoomVal = 100;

  // Events. OnOwnerHeight may set the line's height (counted for dsOwnerDrawVariable) and ask
  // for a new page; OnOwnerDraw draws an owner-drawn line into its rectangle.
  std::function<void(int line, int& height, bool& forceNewPage)> OnOwnerHeight;
  std::function<void(int page, int line, const QRect& rect, QPainter& canvas)> OnOwnerDraw;
  std::function<void(int page)> OnNewPage;
  std::function<void(const QString& message, int page, TPrintStatus kind)> OnStatus;

  // The reference device. By default the program's printer (ReferencePrinter), or US Letter at
  // 96 dpi when there is none; a given printer or fixed metrics take its place.
  void SetReferencePrinter(QPrinter* printer) { FReferencePrinter = printer; }
  void SetReferenceMetrics(std::optional<TPageMetrics> metrics) { FFixedMetrics = metrics; }
  // The metrics the next page would be laid out with.
  TPageMetrics ReferenceMetrics() const;

  // Recording.
  void BeginDoc();
  void NewPage();
  // The current page's canvas (marks the page as used); nullptr when not recording.
  QPainter* Canvas();
  void EndDoc();
  void ClearPages();
  bool Recording() const { return FRecording; }

  // Pages, 0-based.
  int PageCount() const { return static_cast<int>(FPages.size()); }
  const TPagePicture& Page(int index) const { return *FPages.at(static_cast<std::size_t>(index)); }

  // Metrics of the page being recorded (or of the last one recorded; or the reference).
  const TPageMetrics& Metrics() const { return FMetrics; }
  TPageFrame Frame() const { return ComputePageFrame(FMetrics, TextOptions, Units); }
  int XToPixels(double value) const { return UnitsToPixels(value, FMetrics.ResX, Units); }
  int YToPixels(double value) const { return UnitsToPixels(value, FMetrics.ResY, Units); }
  double YPixelsToUnits(int pixels) const { return PixelsToUnits(pixels, FMetrics.ResY, Units); }

  // A font for the canvas: point sizes become reference pixels.
  static QFont DeviceFont(const TFontSpec& spec);

  // Header, footer and page number of the current page.
  void PrintHeaderFooter(int pageNumber);
  // One line with its top at y, placed by the alignment between the margins; with the given
  // font (the canvas font when none), in the font's colour.
  void TextOutAligned(int y, TAlignment alignment, const TFontSpec* font, const QString& text);
  // Records a whole document from text lines, with automatic pages. Raises
  // EInvalidLineHeight when an owner leaves a line without a height.
  void PrintStrings(const QStringList& lines);

  // Prints pages first..last (0-based, clamped to the pages there are) as one job on the
  // printer, each at its own physical size; `repeats` times over within the job. False with a
  // message when there is nothing to print or the job cannot start.
  bool PrintPages(QPrinter& printer, int first, int last, QString* error = nullptr,
                  int repeats = 1);

 private:
  void Status(const QString& message, int page, TPrintStatus kind);
  TPageMetrics PrinterMetricsOrFallback();
  int BodyLineHeight(QPainter& canvas);

  std::vector<std::unique_ptr<TPagePicture>> FPages;
  std::unique_ptr<QPainter> FCanvas;
  bool FPageUsed = false;
  bool FRecording = false;
  TPageMetrics FMetrics;
  QPrinter* FReferencePrinter = nullptr;
  std::optional<TPageMetrics> FFixedMetrics;
  QPrinter* FRecordingPrinter = nullptr;  // the reference printer of the current recording
};
