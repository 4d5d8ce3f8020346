// The start-up splash: borderless, on top, centred; closes itself after 4000 ms.
#pragma once

#include <QWidget>

class TSplash : public QWidget {
 public:
  TSplash();

 protected:
  void paintEvent(QPaintEvent* event) override;
};
