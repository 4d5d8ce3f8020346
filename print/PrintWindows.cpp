#include "print/PrintWindows.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <memory>

#include "platform/Messages.h"
#include "platform/Printer.h"
#include "print/DirectoryListing.h"
#include "print/PageSetupForm.h"
#include "print/PreviewForm.h"
#include "print/PreviewPrinter.h"
#include "print/PrintOutput.h"

int PreviewDocument(TPreviewPrinter& engine, QWidget* parent, std::function<void()> rerecord) {
  TPreviewForm form(engine, parent);
  if (rerecord) form.SetRerecord(std::move(rerecord));
  return form.exec();
}

int PageSetupDialog(TPreviewPrinter& engine, QWidget* parent) {
  TPageSetupForm form(engine, parent);
  return form.exec();
}

bool PrintDialog(TPreviewPrinter& engine, QWidget* parent) {
  const int count = engine.PageCount();
  if (count == 0) {
    ShowMessage(parent, QStringLiteral("There are no pages to print."));
    return false;
  }
  // The program's printer (with no printer installed, it writes PDF files).
  QPrinter* printer = &ApplicationPrinter();
  QPrintDialog dialog(printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setMinMax(1, count);
  dialog.setFromTo(1, count);
  if (dialog.exec() != QDialog::Accepted) return false;
  int first = 0, last = count - 1;
  if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
    first = std::max(1, dialog.fromPage()) - 1;
    last = std::min(count, dialog.toPage()) - 1;
  }
  QString error;
  if (!PrintCopies(engine, *printer, first, last, printer->copyCount(), &error)) {
    ShowError(parent, error);
    return false;
  }
  return true;
}

void PrintDirectoryListing(TPreviewPrinter& engine, const QString& folder,
                           const QStringList& entries, QWidget* parent) {
  RecordDirectoryListing(engine, folder, entries);
  PreviewDocument(engine, parent,
                  [&engine, folder, entries] { RecordDirectoryListing(engine, folder, entries); });
}
