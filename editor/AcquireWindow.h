// TfrmAcquire ("Lumivex Image Editor"): one picture in a view between a toolbar and a status
// bar, changed by a fixed set of commands with one level of undo. The commands themselves are
// in the editor core (TPictureEditor); this window asks for their parameters, shows progress
// and keeps the title, menus and buttons in step with the picture.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "editor/core/PictureEditor.h"

class QAction;
class QLabel;
class QMenu;
class TFilterDialog;
class TPGImage;
class TPGOpenDialog;
class TPGSaveDialog;
class TToolHost;
class TfRotate;
class TfrmBorder;
class TfrmColorRez;
class TfrmFileSaveOptions;
class TfrmNewEFX;
class TfrmResize;
class TViewEditTarget;
struct TEditorFilterDialogs;

class TfrmAcquire : public QMainWindow {
 public:
  explicit TfrmAcquire(TToolHost& host);
  ~TfrmAcquire() override;

  // ---- entry points ------------------------------------------------------------------------
  // The main window's hand-over: zoom 1.0, the file loaded, the save dialog preset to it, undo
  // disabled, the window shown. Raises the loading error (the caller reports it).
  void EditFile(const QString& path);
  // Loads a file as "Open..." does after its dialog (the undo state is kept).
  void OpenFile(const QString& path);
  // A picture stored turned (orientation tag other than 1): asks whether to turn its pixels
  // upright, unless the answer was kept ("Don't ask again"). Yes is one undoable step.
  void OfferUpright(const QString& path);
  // Writes the picture to `path` (the writer chosen by the extension); false after an error,
  // which has been reported.
  bool SaveTo(const QString& path);

  // ---- the commands (menus and buttons call these) -----------------------------------------
  void OpenCommand();
  bool SaveAsCommand();
  void SaveOptionsCommand();
  void PrintCommand();
  void UndoCommand();
  void RotateBy(double clockwiseDegrees);
  void RotateArbitrary();
  void FlipHorizontalCommand();
  void FlipVerticalCommand();
  void CropCommand();
  void BorderCommand();
  void BevelCommand();
  void ColorResolutionCommand();
  void ResizeCommand();
  // Point filters with preview (index into PointFilterNames) and convolution filters.
  void PointFilterCommand(int index);
  void ConvolutionCommand(int index);
  void FastEffectCommand(TFastEffect effect);
  void EffectWindowCommand(int tag);
  void PencilCommand();
  void PosterizeCommand();
  void ShowEditingHelp();

  // ---- state, for tests --------------------------------------------------------------------
  TPGImage* PGImage1() const { return FView; }
  TPictureEditor& Editor() { return *FEditor; }
  QAction* UndoAction() const { return FUndo; }
  QAction* Action(const QString& objectName) const;
  QMenu* ImageMenu() const { return FImageMenu; }
  QMenu* FiltersMenu() const { return FFiltersMenu; }
  QString StatusText() const;
  bool Modified() const { return FModified; }
  bool Busy() const { return FBusy; }
  TPGSaveDialog& SaveDialog() const { return *FSaveDialog; }
  TPGOpenDialog& OpenDialog() const { return *FOpenDialog; }
  TfRotate& RotateDialog() const { return *FRotate; }
  TfrmBorder& BorderDialog() const { return *FBorder; }
  TfrmColorRez& ColorRezDialog() const { return *FColorRez; }
  TfrmResize& ResizeDialog() const { return *FResize; }
  TfrmFileSaveOptions& SaveOptionsDialog() const { return *FSaveOptions; }
  TfrmNewEFX& EffectDialog() const { return *FEffect; }
  TFilterDialog& PointFilterDialog(int index) const;
  TFilterDialog& ConvolutionDialog(int index) const;
  // Stops the long command that runs (what Escape does).
  void RequestStop() { FStopRequested = true; }

  // The captions of the filter menus, in menu order.
  static const QStringList& PointFilterCaptions();
  static const QStringList& ConvolutionCaptions();
  // Replaces the Save / Discard / Cancel question (tests); returns a QMessageBox button.
  static std::function<int(QWidget*, const QString&)> AskUnsavedHook;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void ConnectView();
  void ReadPlacement();
  void WritePlacement();
  void PictureChanged();
  void ShowSize();
  void UpdateUndo();
  void UpdateTitle();
  void SetStatus(const QString& text);
  void AfterCommand(TEditOutcome outcome);
  void AfterGeometry(TEditOutcome outcome);
  // Asks Save / Discard / Cancel when there are unsaved changes; true to go on.
  bool MayDropChanges();
  // Runs a long command with progress in the status bar and Escape to stop it.
  TEditOutcome RunLong(const std::function<TEditOutcome(const TEditProgress&)>& command);
  bool Progress(int step, int total);
  void ZoomClick(Qt::MouseButton button);
  void SetAutoSize(bool down);
  void SetZoomTool(bool down);
  void SetSelectTool(bool down);
  void SetPointerTool();

  TToolHost& FHost;
  TPGImage* FView = nullptr;
  std::unique_ptr<TViewEditTarget> FTarget;
  std::unique_ptr<TPictureEditor> FEditor;
  std::unique_ptr<TEditorFilterDialogs> FFilters;
  TPGOpenDialog* FOpenDialog = nullptr;
  TPGSaveDialog* FSaveDialog = nullptr;
  TfRotate* FRotate = nullptr;
  TfrmBorder* FBorder = nullptr;
  TfrmColorRez* FColorRez = nullptr;
  TfrmResize* FResize = nullptr;
  TfrmFileSaveOptions* FSaveOptions = nullptr;
  TfrmNewEFX* FEffect = nullptr;

  QLabel* FStatus = nullptr;
  QAction* FUndo = nullptr;
  QMenu* FImageMenu = nullptr;
  QMenu* FFiltersMenu = nullptr;
  QAction* FAutoSizeButton = nullptr;
  QAction* FTileButton = nullptr;
  QAction* FPointerButton = nullptr;
  QAction* FZoomButton = nullptr;
  QAction* FSelectButton = nullptr;

  TProgressClock FClock;
  bool FBusy = false;
  bool FStopRequested = false;
  bool FModified = false;
};
