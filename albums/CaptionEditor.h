// TfrmEdit: the one-line borderless caption editor placed over the caption cell of an entry.
// Enter stores the text, Esc leaves the caption as it was.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QLineEdit;

class TfrmEdit : public QDialog {
 public:
  explicit TfrmEdit(QWidget* parent = nullptr);

  // Opens modally over `globalRect` with the text, all selected; the edited text on Enter,
  // nothing on Esc.
  std::optional<QString> Edit(const QString& text, const QRect& globalRect);
  QLineEdit* Editor() const { return FEdit; }

 private:
  QLineEdit* FEdit = nullptr;
};
