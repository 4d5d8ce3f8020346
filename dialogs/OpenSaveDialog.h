// TPGOpenDialog and TPGSaveDialog: the program's picture file dialogs. A non-native file
// dialog with a side panel: the preview of the selected file (built on a background job after
// the selection rested for 150 ms, with a progress clock while it loads) and the file's
// information lines. File types come from the reader and writer lists; the save dialog keeps
// the name's extension in step with the chosen type.
#pragma once

#include <QColor>
#include <QFileDialog>
#include <QStringList>
#include <memory>
#include <vector>

#include "dialogs/core/OpenSaveTypes.h"
#include "imaging/PGraphic.h"

class QTimer;
class TCreateOpenSaveDialogPaintPGThread;
class TOpenSavePreviewBox;
class TOpenSaveInfoBox;

// The dialog options the program sets. Share-aware is always on (files that another program
// has open can be chosen); multiple selection lets several files be chosen in the open dialog.
// The save dialog always asks before a file is replaced.
enum TPGOpenOption : unsigned {
  ofReadOnly = 1,
  ofOverwritePrompt = 2,
  ofHideReadOnly = 4,
  ofAllowMultiSelect = 8,
  ofFileMustExist = 16,
  ofShareAware = 32,
};
using TPGOpenOptions = unsigned;

class TPGOpenDialog : public QFileDialog {
 public:
  explicit TPGOpenDialog(QWidget* parent = nullptr);
  ~TPGOpenDialog() override;

  static constexpr int kSettleMs = 150;

  TStretchMode StretchMode = smPrecise;
  bool UseDefaultFilter = true;
  QColor ProgressClockBkColor;    // button face unless set
  QColor ProgressClockLineColor;  // button shadow unless set
  bool ProgressClockVisible = true;
  TPaletteIdent Palette8BitSys24BitGraphic = pOptimized252Sys16;
  TPaletteIdent Palette8BitSys8BitGraphic = pOptimized252Sys16;
  bool ShowInfo = true;
  // The chosen file (set before Execute to start with it) and the chosen type (1-based).
  QString FileName;
  int FilterIndex = 1;

  // A set without share-aware shows a message and gets it added.
  TPGOpenOptions Options() const { return FOptions; }
  void SetOptions(TPGOpenOptions options);

  // Shows the dialog modally; true when a file was chosen.
  virtual bool Execute();

  // The types offered, as generated for the last Execute (or at creation).
  const std::vector<TFileTypeEntry>& FileTypes() const { return FTypes; }

  // For tests: what the side panel shows.
  const TPixelGraphic* PreviewImage() const { return FPreviewImage.get(); }
  QStringList InfoLines() const;
  int LoadsStarted() const { return FLoadsStarted; }
  bool Loading() const { return FLoading; }

 protected:
  // The file types as the dialog lists them ("BMP - Bitmap (*.bmp)").
  void ApplyFileTypes();
  int SelectedFilterIndex() const;
  void customEvent(QEvent* event) override;
  void done(int result) override;

  std::vector<TFileTypeEntry> FTypes;
  bool FIsSave = false;
  TPGOpenOptions FOptions = ofHideReadOnly | ofShareAware;

 private:
  void BuildPanel();
  void SelectionChanged(const QString& path);
  void StartPreview();
  void StopWorker();
  QString SelectedPath(const QString& current) const;

  TOpenSavePreviewBox* FPreviewBox = nullptr;
  TOpenSaveInfoBox* FInfoBox = nullptr;
  QTimer* FTimer = nullptr;
  QString FCurrent;
  std::unique_ptr<TPixelGraphic> FPreviewImage;
  std::unique_ptr<TCreateOpenSaveDialogPaintPGThread> FWorker;
  unsigned FOrder = 0;
  bool FLoading = false;
  int FLoadsStarted = 0;
};

class TPGSaveDialog : public TPGOpenDialog {
 public:
  explicit TPGSaveDialog(QWidget* parent = nullptr);
  bool Execute() override;

 protected:
  void accept() override;

 private:
  void TypeChanged();
};
