// The preferences page of the viewing additions: each can be switched off.
#pragma once

#include <QWidget>

class QCheckBox;

class TViewingPrefsPage : public QWidget {
 public:
  TViewingPrefsPage();
  // Shows the stored values.
  void Load();
  // Stores the values shown.
  void Save() const;
  QCheckBox* FullScreenBox() const { return FFullScreen; }
  QCheckBox* PreloadBox() const { return FPreload; }
  QCheckBox* AutoRotateBox() const { return FAutoRotate; }
  QCheckBox* ColorBox() const { return FColor; }
  QCheckBox* ReducedDecodeBox() const { return FReduced; }

 private:
  QCheckBox* FFullScreen;
  QCheckBox* FPreload;
  QCheckBox* FAutoRotate;
  QCheckBox* FColor;
  QCheckBox* FReduced;
};
