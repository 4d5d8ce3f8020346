#include "albums/CaptionEditor.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <optional>

TfrmEdit::TfrmEdit(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmEdit"));
  FEdit = new QLineEdit(this);
  FEdit->setObjectName(QStringLiteral("Edit1"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FEdit);
  // Enter in the line accepts the dialog (its default), Esc rejects it.
  connect(FEdit, &QLineEdit::returnPressed, this, &QDialog::accept);
}

std::optional<QString> TfrmEdit::Edit(const QString& text, const QRect& globalRect) {
  FEdit->setText(text);
  FEdit->selectAll();
  const int height = std::max(globalRect.height(), FEdit->sizeHint().height());
  setGeometry(globalRect.x(), globalRect.y() + (globalRect.height() - height) / 2,
              std::max(globalRect.width(), 60), height);
  FEdit->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return FEdit->text();
}
