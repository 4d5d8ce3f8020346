#include "platform/Printer.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
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
  // Nothing is printed here: the confirming button says so.
  for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>())
    if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
  return dialog.exec() == QDialog::Accepted;
}
