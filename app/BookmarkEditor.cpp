#include "app/BookmarkEditor.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfBMEdit::TfBMEdit(QWidget* parent) : QDialog(parent) {
  setObjectName("TfBMEdit");
  setWindowTitle("Edit Bookmarks");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* layout = new QHBoxLayout(this);
  FList = new QListWidget(this);
  layout->addWidget(FList, 1);
  auto* column = new QVBoxLayout;
  auto add = [&](const QString& text, auto slot) {
    auto* b = new QPushButton(text, this);
    connect(b, &QPushButton::clicked, this, slot);
    column->addWidget(b);
    return b;
  };
  add("Up", [this] { Up(); });
  add("Down", [this] { Down(); });
  add("Delete", [this] { Delete(); });
  column->addStretch();
  add("OK", [this] { accept(); })->setDefault(true);
  add("Cancel", [this] { reject(); });
  layout->addLayout(column);
  resize(420, 260);
}

void TfBMEdit::SetEntries(const QStringList& entries) {
  FList->clear();
  FList->addItems(entries);
  if (FList->count() > 0) FList->setCurrentRow(0);
}

QStringList TfBMEdit::Entries() const {
  QStringList out;
  for (int i = 0; i < FList->count(); ++i) out << FList->item(i)->text();
  return out;
}

void TfBMEdit::Up() {
  const int i = FList->currentRow();
  if (i <= 0 || i >= FList->count()) return;  // only a valid selection moves
  FList->insertItem(i - 1, FList->takeItem(i));
  FList->setCurrentRow(i - 1);
}

void TfBMEdit::Down() {
  const int i = FList->currentRow();
  if (i < 0 || i >= FList->count() - 1) return;
  FList->insertItem(i + 1, FList->takeItem(i));
  FList->setCurrentRow(i + 1);
}

void TfBMEdit::Delete() {
  const int i = FList->currentRow();
  if (i < 0 || i >= FList->count()) return;
  delete FList->takeItem(i);
  if (FList->count() > 0) FList->setCurrentRow(0);
}
