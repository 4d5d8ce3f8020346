// TfAbout: product name and version with a slowly scrolling text.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

class TfAbout : public QDialog {
 public:
  explicit TfAbout(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void Step();
  QLabel* FScroller;
  QLabel* FFrame;
  QLabel* FVersion;
  QTimer* FTimer;
  bool FCtrl = false, FQ = false;
  int FFrameIndex = 0;
};
