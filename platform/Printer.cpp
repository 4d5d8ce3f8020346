#include "platform/Printer.h"

#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace {
QPrinter* printer = nullptr;

void ReleasePrinter() {
  delete printer;
  printer = nullptr;
}
}  // namespace

QPrinter& ApplicationPrinter() {
  if (!printer) {
    printer = new QPrinter(QPrinter::HighResolution);
    qAddPostRoutine(ReleasePrinter);
  }
  return *printer;
}

bool ShowPrinterSetup(QWidget* parent) {
  QPrintDialog dialog(&ApplicationPrinter(), parent);
  dialog.setObjectName("PrinterSetupDialog");
  dialog.setWindowTitle("Print Setup");
  // Setting up chooses the printer and its paper; pages are chosen when printing.
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
  return dialog.exec() == QDialog::Accepted;
}
