// TPicBox: the window-less child that marks the picture rectangle, receives the mouse and
// draws the selection marquee over the picture.
#pragma once

#include <QWidget>

class TPGImage;

class TPicBox : public QWidget {
 public:
  explicit TPicBox(TPGImage& view, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TPGImage& FView;
};
