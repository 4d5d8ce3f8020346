// TfrmGIFTrans: the "GIF Transparency Selector". Shows the reduced picture the converter is
// about to write; the colour under the pointer becomes the chosen transparent colour, and a
// click on the picture closes the window.
#pragma once

#include <QDialog>
#include <array>

#include "imaging/PGraphic.h"

class QLabel;
class TPGImage;

class TfrmGIFTrans : public QDialog {
 public:
  explicit TfrmGIFTrans(QWidget* parent = nullptr);

  // Shows a private copy of `picture` modally; the colour chosen when the window closed.
  TRGB Run(const TPixelGraphic& picture);
  TRGB ChosenColor() const { return FChosen; }

  TPGImage* View() const { return pgImage; }
  QString Panel(int index) const;
  // The pointer is over `boxPoint` of the picture: its colour becomes the chosen one.
  void PointAt(QPoint boxPoint);

 private:
  TPGImage* pgImage = nullptr;
  std::array<QLabel*, 3> FPanels{};
  TRGB FChosen = 0;
};
