// TfrmFileProp: "Image Properties", a modal window over a dark red gradient listing a file's
// date, size and format information, with a small preview of recognised files.
#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QGridLayout;

class TfrmFileProp : public QDialog {
 public:
  TfrmFileProp();
  // Fills the window for `path` and shows it modally.
  void Run(const QString& path);
  // Fills the window without showing it.
  void Fill(const QString& path);
  QString Value(const QString& label) const;
  QLabel* Preview() const { return FPreview; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage FBackground;  // built once, as wide and high as the window
  QGridLayout* FGrid;
  QLabel* FPreview;
};
