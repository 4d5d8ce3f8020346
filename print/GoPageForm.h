// The go-to-page dialog ("Go to Page Number"): a page number from 1 to the page count.
#pragma once

#include <QDialog>

class QSpinBox;

class TGoPageForm : public QDialog {
 public:
  TGoPageForm(int pageCount, int currentNumber, QWidget* parent = nullptr);
  int PageNumber() const;
  QSpinBox* NumberBox() const { return FNumber; }

 private:
  QSpinBox* FNumber = nullptr;
};
