#include "print/PreviewPrinter.h"

#include <QColor>
#include <QCursor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

#include "print/PrinterDevice.h"
#include "print/core/Paginator.h"
#include "platform/BusyCursor.h"

namespace {

QColor ColorOf(TRGB c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace

TPreviewPrinter::TPreviewPrinter() = default;

TPreviewPrinter::~TPreviewPrinter() { ClearPages(); }

void TPreviewPrinter::Status(const QString& message, int page, TPrintStatus kind) {
  if (OnStatus) OnStatus(message, page, kind);
}

TPageMetrics TPreviewPrinter::PrinterMetricsOrFallback() {
  if (FFixedMetrics && UsablePageMetrics(*FFixedMetrics)) return *FFixedMetrics;
  // The printer list is asked once per recording, not for every page.
  QPrinter* printer =
      FRecording ? FRecordingPrinter : (FReferencePrinter ? FReferencePrinter : ReferencePrinter());
  if (printer) {
    if (const std::optional<TPageMetrics> m = PrinterPageMetrics(*printer, Orientation)) return *m;
  }
  return FallbackPageMetrics(96, Orientation);
}

TPageMetrics TPreviewPrinter::ReferenceMetrics() const {
  return const_cast<TPreviewPrinter*>(this)->PrinterMetricsOrFallback();
}

QFont TPreviewPrinter::DeviceFont(const TFontSpec& spec) {
  QFont font(QString::fromStdString(spec.Name));
  font.setPointSizeF(spec.Size > 0 ? spec.Size : 10.0);
  font.setBold(spec.Bold);
  font.setItalic(spec.Italic);
  font.setUnderline(spec.Underline);
  font.setStrikeOut(spec.StrikeOut);
  return font;
}

void TPreviewPrinter::BeginDoc() {
  FRecordingPrinter = FReferencePrinter ? FReferencePrinter : ReferencePrinter();
  FRecording = true;
  ClearPages();
  NewPage();
}

void TPreviewPrinter::NewPage() {
  FMetrics = PrinterMetricsOrFallback();
  auto page = std::make_unique<TPagePicture>(FMetrics);
  auto canvas = std::make_unique<QPainter>(page.get());
  if (FCanvas) {
    canvas->setFont(FCanvas->font());
    canvas->setBrush(FCanvas->brush());
    canvas->setPen(FCanvas->pen());
    FCanvas->end();  // completes the previous page
  } else {
    canvas->setFont(DeviceFont(MakeFont("Arial", 10)));
    canvas->setBrush(Qt::NoBrush);
  }
  FPages.push_back(std::move(page));
  FCanvas = std::move(canvas);
  FPageUsed = false;
  Status(QStringLiteral("Paginating page %1").arg(PageCount()), PageCount(),
         TPrintStatus::psPageStarted);
}

QPainter* TPreviewPrinter::Canvas() {
  if (!FCanvas) return nullptr;
  FPageUsed = true;
  return FCanvas.get();
}

void TPreviewPrinter::EndDoc() {
  FRecording = false;
  if (FCanvas) {
    FCanvas->end();
    FCanvas.reset();
    if (!FPageUsed && !FPages.empty()) FPages.pop_back();
  }
  Status(QStringLiteral("Pagination Complete"), -1, TPrintStatus::psRecordingComplete);
}

void TPreviewPrinter::ClearPages() {
  if (FCanvas) FCanvas->end();
  FCanvas.reset();
  FPages.clear();
  FPageUsed = false;
}

void TPreviewPrinter::TextOutAligned(int y, TAlignment alignment, const TFontSpec* font,
                                     const QString& text) {
  QPainter* canvas = Canvas();
  if (!canvas || text.isEmpty()) return;
  canvas->save();
  if (font) {
    canvas->setFont(DeviceFont(*font));
    canvas->setPen(ColorOf(font->Color));
  }
  const QFontMetrics fm = canvas->fontMetrics();
  const int x = AlignedTextX(alignment, fm.horizontalAdvance(text), Frame());
  canvas->drawText(QPoint(x, y + fm.ascent()), text);
  canvas->restore();
}

void TPreviewPrinter::PrintHeaderFooter(int pageNumber) {
  const TTextOptions& o = TextOptions;
  const TPageFrame frame = Frame();
  TextOutAligned(frame.HeaderY, o.HeaderAlign, &o.HeaderFont, QString::fromStdString(o.Header));
  TextOutAligned(frame.FooterY, o.FooterAlign, &o.FooterFont, QString::fromStdString(o.Footer));
  if (o.PrintPageNumber == TPageNumberPosition::pnNone) return;
  const QString text = QString::fromStdString(FormatPageNumber(o.PageNumText, pageNumber));
  const int y = o.PrintPageNumber == TPageNumberPosition::pnTop ? frame.HeaderY : frame.FooterY;
  TextOutAligned(y, o.PageNumAlign, &o.PageNumFont, text);
}

int TPreviewPrinter::BodyLineHeight(QPainter& canvas) {
  // The text height with the font's internal and external leading added once more.
  const QFontMetrics fm = canvas.fontMetrics();
  const int textHeight = fm.ascent() + fm.descent();
  const int internalLeading = std::max(0, textHeight - QFontInfo(canvas.font()).pixelSize());
  return textHeight + internalLeading + std::max(0, fm.leading());
}

void TPreviewPrinter::PrintStrings(const QStringList& lines) {
  TBusyCursor busy;
  BeginDoc();
  try {
    const TTextOptions& o = TextOptions;
    const QFont bodyFont = DeviceFont(o.BodyFont);
    const QColor bodyColor = ColorOf(o.BodyFont.Color);
    TPaginator paginator(Frame());
    int fixedHeight = -1;
    for (int i = 0; i < lines.size(); ++i) {
      QPainter* canvas = Canvas();
      canvas->setFont(bodyFont);
      canvas->setPen(bodyColor);
      int height = -1;
      bool forceNewPage = false;
      if (OnOwnerHeight) OnOwnerHeight(i, height, forceNewPage);
      if (o.DrawStyle != TDrawStyle::dsOwnerDrawVariable) {
        if (fixedHeight < 0) fixedHeight = BodyLineHeight(*canvas);
        height = fixedHeight;
      }
      const TLinePlacement place = paginator.Place(height, forceNewPage);
      if (place.StartsPage) {
        if (OnNewPage) OnNewPage(place.PageNumber);
        if (place.NeedsNewPage) NewPage();
        PrintHeaderFooter(place.PageNumber);
        canvas = Canvas();
      }
      const QRect rect(place.Rect.Left, place.Rect.Top, place.Rect.Right - place.Rect.Left,
                       place.Rect.Bottom - place.Rect.Top);
      if (o.DrawStyle == TDrawStyle::dsStandard) {
        canvas->drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, lines[i]);
      } else if (OnOwnerDraw) {
        OnOwnerDraw(place.PageNumber, i, rect, *canvas);
      }
    }
  } catch (...) {
    FRecording = false;
    ClearPages();
    throw;
  }
  EndDoc();
}

bool TPreviewPrinter::PrintPages(QPrinter& printer, int first, int last, QString* error,
                                 int repeats) {
  first = std::max(first, 0);
  last = std::min(last, PageCount() - 1);
  if (first > last) {
    if (error) *error = QStringLiteral("There are no pages to print.");
    return false;
  }
  TBusyCursor busy;
  printer.setPageOrientation(Orientation == TOrientation::poLandscape ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait);
  printer.setDocName(Title);
  printer.setFullPage(true);  // page coordinates start at the paper corner
  QPainter painter;
  if (!painter.begin(&printer)) {
    if (error) *error = QStringLiteral("The printer could not start the print job.");
    return false;
  }
  const int res = printer.resolution();
  for (int copy = 0; copy < std::max(1, repeats); ++copy) {
    for (int i = first; i <= last; ++i) {
      if (copy > 0 || i > first) printer.newPage();
      Status(QStringLiteral("Printing page %1").arg(i + 1), i + 1, TPrintStatus::psPagePrinting);
      PlayPage(painter, Page(i), res, res);
    }
  }
  painter.end();
  Status(QStringLiteral("Print Job Complete"), -1, TPrintStatus::psPrintComplete);
  return true;
}
