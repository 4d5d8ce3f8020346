// TSheetSaveDialog: the picture save dialog titled "Save ThumbVex", offering the formats a
// contact sheet is saved in (BMP, JPG, PBM, PGM, PNG, PPM, TGA, TIF).
#pragma once

#include "dialogs/OpenSaveDialog.h"

class TSheetSaveDialog : public TPGSaveDialog {
 public:
  explicit TSheetSaveDialog(QWidget* parent = nullptr);
  bool Execute() override;

 protected:
  void accept() override;
};
