// TfrmSaveThumbnail: "Save Thumbnail", the options for writing thumbnails of the selected
// files to disk (size, format, folder, file-name prefix); OK writes them.
#pragma once

#include <QDialog>
#include <QStringList>

#include "thumbs/core/SaveThumbnails.h"

class QComboBox;
class QLabel;
class QLineEdit;

class TfrmSaveThumbnail : public QDialog {
 public:
  TfrmSaveThumbnail();
  // Shows the dialog for the files of `folder`; on OK writes their thumbnails. Returns the
  // number written (0 when cancelled or refused).
  int Run(QWidget* parent, const QString& folder, const QStringList& paths);
  // The options as chosen.
  TSaveThumbsOptions Options() const;
  // Writes the thumbnails with the chosen options, reporting refusals and failures; the number
  // written, -1 when the options were refused.
  int Save(const QStringList& paths);

  QComboBox* SizeBox() const { return cbSize; }
  QComboBox* TypeBox() const { return cbFileType; }
  QLineEdit* FolderEdit() const { return FFolderEdit; }
  QLineEdit* Prefix() const { return ePrefix; }
  QLabel* SelectedCount() const { return FSelected; }

 private:
  QComboBox* cbSize;
  QComboBox* cbFileType;
  QLineEdit* FFolderEdit;
  QLabel* FFolderEcho;
  QLineEdit* ePrefix;
  QLabel* FSelected;
};
