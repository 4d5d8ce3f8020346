// TfrmNewEFX ("EFX"): the effect window of the editor. It previews spray paint, monochrome
// noise, colour noise or mosaic on a copy of at most 240 x 240 pixels while the slider moves;
// on OK the editor applies the effect at full size with the slider's position.
#pragma once

#include <QDialog>

#include "dialogs/core/EffectPreview.h"

class QPushButton;
class QSlider;

class TfrmNewEFX : public QDialog {
 public:
  explicit TfrmNewEFX(QWidget* parent = nullptr);

  // The effect (1 spray paint, 2 monochrome noise, 3 colour noise, 4 mosaic): sets the
  // caption to its name and the slider to 0.
  void SetEffect(int tag);
  int Effect() const { return FTag; }
  // The picture previewed; it must not change while the window is shown.
  void SetImage(const TPixelGraphic* image);
  int Amount() const;
  // The effect with the slider's position applied to a whole image (what the editor does on
  // OK, after its undo snapshot).
  void ApplyTo(TPixelGraphic& image) const;

  QSlider* TrackBar1 = nullptr;
  QPushButton* BitBtn1 = nullptr;  // OK
  QPushButton* BitBtn2 = nullptr;  // Cancel
  const TFastBMP& Working() const { return FWorking; }
  const TFastBMP& Pristine() const { return FPristine; }

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void done(int result) override;

 private:
  void BuildPreview();
  void SliderChanged();
  double Scale() const;

  int FTag = efxNone;
  const TPixelGraphic* FImage = nullptr;
  bool FBuilt = false;
  TFastBMP FPristine, FWorking;
  TFxRandom FRandom;
};
