// The side panel of the open and save dialogs: the sunken preview box with its progress
// clock, and the information box.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

#include "imaging/PGraphic.h"

class TOpenSavePreviewBox : public QWidget {
 public:
  explicit TOpenSavePreviewBox(QWidget* parent = nullptr);
  // The picture shown (not owned; nullptr for none).
  void SetImage(const TPixelGraphic* image);
  // The clock while loading: step index and percent; Hide when done.
  void ShowClock(int step, int percent);
  void HideClock();
  bool ClockVisible = true;
  QColor ClockBkColor, ClockLineColor;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const TPixelGraphic* FImage = nullptr;
  bool FClock = false;
  int FStep = 1, FPercent = 0;
};

class TOpenSaveInfoBox : public QWidget {
 public:
  explicit TOpenSaveInfoBox(QWidget* parent = nullptr);
  void SetLines(const QStringList& lines);
  QStringList Lines() const { return FLines; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QStringList FLines;
};
