#include "print/PrinterDevice.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/Printer.h"

QPrinter* ReferencePrinter() {
  if (QPrinterInfo::availablePrinterNames().isEmpty()) return nullptr;
  return &ApplicationPrinter();
}

std::optional<TPageMetrics> PrinterPageMetrics(QPrinter& printer, TOrientation orientation) {
  if (!printer.isValid()) return std::nullopt;
  printer.setPageOrientation(orientation == TOrientation::poLandscape ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait);
  const int res = printer.resolution();
  if (res <= 0) return std::nullopt;
  // The unprintable border is the printer's minimum margin.
  QPageLayout layout = printer.pageLayout();
  layout.setMargins(layout.minimumMargins());
  const QRect paper = layout.fullRectPixels(res);
  const QRect printable = layout.paintRectPixels(res);
  TPageMetrics m;
  m.ResX = m.ResY = res;
  m.PageWidth = paper.width();
  m.PageHeight = paper.height();
  m.OffsetX = std::max(0, printable.left() - paper.left());
  m.OffsetY = std::max(0, printable.top() - paper.top());
  if (!UsablePageMetrics(m)) return std::nullopt;
  return m;
}
