#include "thumbs/SheetSaveDialog.h"

#include <QFile>
#include <algorithm>

namespace {

bool Offered(const TFileTypeEntry& type) {
  static const std::vector<std::string> kinds = {"bmp", "jpg", "pbm", "pgm",
                                                 "png", "ppm", "tga", "tif"};
  return std::find(kinds.begin(), kinds.end(), type.Extension) != kinds.end();
}

}  // namespace

TSheetSaveDialog::TSheetSaveDialog(QWidget* parent) : TPGSaveDialog(parent) {
  setWindowTitle("Save ThumbVex");
}

bool TSheetSaveDialog::Execute() {
  FTypes = SaveFileTypes();
  FTypes.erase(std::remove_if(FTypes.begin(), FTypes.end(),
                              [](const TFileTypeEntry& t) { return !Offered(t); }),
               FTypes.end());
  if (const int i = FileTypeIndexForName(FTypes, QFile::encodeName(FileName).toStdString()))
    FilterIndex = i;
  ApplyFileTypes();
  UseDefaultFilter = false;  // keep this list
  return TPGOpenDialog::Execute();
}

void TSheetSaveDialog::accept() {
  UseDefaultFilter = true;  // a name typed without extension gets the chosen type's
  TPGSaveDialog::accept();
  UseDefaultFilter = false;
}
