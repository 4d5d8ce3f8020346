// The converter's commands on files: "Convert Now!", the display size, the image properties
// and deleting the converted file.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QSlider>

#include "controls/ToolHost.h"
#include "convert/ConvertWindow.h"
#include "convert/GIFTransDialog.h"
#include "convert/core/GIFConversion.h"
#include "convert/core/ResizeSharpen.h"
#include "convert/core/TargetName.h"
#include "files/FileOps.h"
#include "files/Preferences.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "platform/Trash.h"
#include "view/PGImage.h"
#include "platform/BusyCursor.h"

namespace {

TPreferences StoredPreferences() {
  return TPreferences::Read([](const std::string& name, const std::string& fallback) {
    return ReadSetting(QString::fromStdString(name), QString::fromStdString(fallback)).toStdString();
  });
}

}  // namespace

QString TfrmConvert::ChooseTarget(const QString& extension) {
  QString target = QString::fromStdString(
      ConvertedName(FSourcePath.toStdString(), extension.toStdString()));
  while (QFileInfo::exists(target) && !AskYesNo(this, target + " exists. Overwrite?"))
    target = QString::fromStdString(BangName(target.toStdString()));
  return target;
}

void TfrmConvert::ConvertNow() {
  if (FSourcePath.isEmpty() || pgLeft->IsEmpty()) return;
  const QString extension = cbFileType->currentText().left(3).toLower();
  const QString target = ChooseTarget(extension);
  QString failure;
  {
    const TBusyCursor busy;
    try {
      WriteTarget(target, extension);
    } catch (const std::exception& e) {
      failure = QString::fromStdString(e.what());
    }
    if (failure.isEmpty()) ShowTarget(target);
  }
  // After a failed write the right pane keeps what it showed.
  if (!failure.isEmpty()) {
    ShowError(this, failure);
    return;
  }
  FHost.RefreshFolder();
}

void TfrmConvert::WriteTarget(const QString& target, const QString& extension) {
  if (extension == "jpg") {
    // The slider sets the library-wide quality, which later JPEG saves keep.
    const int quality = TrackBar1->value();
    ChangeFormatSettings([quality](TPGFormatSettings& s) { s.JPEGWriteQuality = quality; });
  }
  if (extension == "gif") {
    WriteGIF(target);
    return;
  }
  TPixelGraphic* source = pgLeft->PixelGraphic();
  if (opMOS->isChecked()) {
    const TPGWarningAction remembered = source->SaveColorResWarningAction;
    source->SaveColorResWarningAction = pgwaIgnore;
    try {
      SaveToFile(*source, target.toStdString());
    } catch (...) {
      source->SaveColorResWarningAction = remembered;
      throw;
    }
    source->SaveColorResWarningAction = remembered;
    return;
  }
  int width = 0, height = 0;
  const QRect shown = pgLeft->PicBoxBounds();
  DisplayedSizeOrOwn(shown.width(), shown.height(), source->Width(), source->Height(), width,
                     height);
  TPixelGraphic resized;
  ResizeForConversion(*source, width, height, TPixelGraphic().StretchMode,
                      opAutoSharpen->isChecked(), resized);
  resized.SaveColorResWarningAction = pgwaIgnore;
  SaveToFile(resized, target.toStdString());
}

void TfrmConvert::WriteGIF(const QString& target) {
  const TPixelGraphic* source = pgLeft->PixelGraphic();
  int width = source->Width(), height = source->Height();
  if (!opMOS->isChecked()) {
    const QRect shown = pgLeft->PicBoxBounds();
    DisplayedSizeOrOwn(shown.width(), shown.height(), source->Width(), source->Height(), width,
                       height);
  }
  TPixelGraphic reduced;
  ReduceForGIF(*source, width, height, reduced);
  const bool transparent = cbTransparent->isChecked();
  TRGB color = 0;
  if (transparent) {
    QApplication::restoreOverrideCursor();
    color = GIFTransWindow().Run(reduced);
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  WriteReducedGIF(reduced, target.toStdString(), cbInterlaced->isChecked(), color, transparent);
}

void TfrmConvert::ShowDisplaySize() {
  const QRect shown = pgLeft->PicBoxBounds();
  ShowMessage(this, QString::number(shown.width()) + "X" + QString::number(shown.height()));
}

void TfrmConvert::SourceProperties() {
  if (pgLeft->IsEmpty()) return;
  FHost.ShowImageProperties(FSourcePath);
}

void TfrmConvert::TargetProperties() {
  if (pgRight->IsEmpty()) return;
  FHost.ShowImageProperties(FTargetPath);
}

bool TfrmConvert::RemoveTarget() {
  const TPreferences prefs = StoredPreferences();
  if (prefs.ConfirmDeletions && !AskYesNo(this, "Delete file " + FTargetPath + "?")) return false;
  std::string reason;
  if (prefs.DeletePermanently) {
    if (DeleteFilePermanently(FTargetPath.toStdString(), &reason)) return true;
    ShowError(this, "error deleting file " + FTargetPath);
    return false;
  }
  if (RecycleFile(FTargetPath.toStdString(), &reason)) return true;
  ShowError(this, "Error moving " + FTargetPath + " to recycle bin");
  return false;
}

void TfrmConvert::DeleteConvertedFile() {
  if (pgRight->IsEmpty() || FTargetPath.isEmpty()) return;
  // A file that stays where it was stays on show.
  if (!RemoveTarget()) return;
  ClearTarget();
  FHost.RefreshFolder();
}
