// TfAPrefs: the "Frame Setup" dialog: rows and columns per page, the frame border, frames and
// the caption option of the current album.
#pragma once

#include <QDialog>

#include "albums/core/AlbumDocument.h"

class QButtonGroup;
class QCheckBox;
class QSpinBox;

class TfAPrefs : public QDialog {
 public:
  explicit TfAPrefs(QWidget* parent = nullptr);

  // Shows the settings, lets the user change them (modal) and writes them back.
  void Edit(TAlbumSettings& settings);
  void Show(const TAlbumSettings& settings);
  void Store(TAlbumSettings& settings) const;

  QSpinBox* Rows() const { return FRows; }
  QSpinBox* Cols() const { return FCols; }
  QSpinBox* Border() const { return FBorder; }
  QCheckBox* PrintFrames() const { return FPrintFrames; }
  QButtonGroup* CaptionGroup() const { return FCaption; }

 private:
  QSpinBox* FRows = nullptr;
  QSpinBox* FCols = nullptr;
  QSpinBox* FBorder = nullptr;
  QCheckBox* FPrintFrames = nullptr;
  QButtonGroup* FCaption = nullptr;
};
