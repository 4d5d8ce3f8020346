// TfrmConvert: "VexConverter". The source picture in the left pane, the written result in the
// right pane; the type, the JPEG quality, the GIF options and the size options choose how
// "Convert Now!" writes the file next to the source. The conversion itself is convert/core.
#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;
class QToolButton;
class TPGImage;
class TToolHost;
class TfrmGIFTrans;

class TfrmConvert : public QMainWindow {
 public:
  explicit TfrmConvert(TToolHost& host);
  ~TfrmConvert() override;
  // The transparency selector the GIF output opens (the registry's; an own one when unset).
  void SetGIFTransWindow(TfrmGIFTrans* dialog) { FGIFTrans = dialog; }

  // The main window's current file: loaded at once while the window is visible, otherwise
  // the window is shown and loads it then.
  void OpenFile(const QString& path);
  void ConvertNow();
  void ShowDisplaySize();
  void SourceProperties();
  void TargetProperties();
  void DeleteConvertedFile();

  // For tests and the registry.
  TPGImage* LeftPane() const { return pgLeft; }
  TPGImage* RightPane() const { return pgRight; }
  QComboBox* FileType() const { return cbFileType; }
  QSlider* QualityBar() const { return TrackBar1; }
  QLabel* QualityLabel() const { return lPosition; }
  QWidget* JPEGBar() const { return FJPEGBar; }
  QWidget* GIFBar() const { return FGIFBar; }
  QCheckBox* Interlaced() const { return cbInterlaced; }
  QCheckBox* Transparent() const { return cbTransparent; }
  QAction* MaintainOriginalSize() const { return opMOS; }
  QAction* AutoSharpen() const { return opAutoSharpen; }
  QAction* SizeToFit() const { return opSizeToFit; }
  QPushButton* ConvertButton() const { return btnConvert; }
  QMenu* LeftMenu() const { return FLeftMenu; }
  QMenu* RightMenu() const { return FRightMenu; }
  QString Panel(int index) const;
  QString SourcePath() const { return FSourcePath; }
  QString TargetPath() const { return FTargetPath; }
  TfrmGIFTrans& GIFTransWindow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildBar();
  QWidget* BuildJPEGBar();
  QWidget* BuildGIFBar();
  QToolButton* BuildOptionsButton();
  void BuildPaneMenus();
  void BuildStatusBar();
  void PlacePanes(int clientWidth, int clientHeight);
  void LoadSource();
  void ClearTarget();
  void ShowTarget(const QString& target);
  void FileTypeChanged(int index);
  void MaintainOriginalSizeToggled(bool on);
  void SizeToFitToggled(bool on);
  void UpdateCommands();
  QString ChooseTarget(const QString& extension);
  void WriteTarget(const QString& target, const QString& extension);
  void WriteGIF(const QString& target);
  bool RemoveTarget();

  friend class TConvertPanes;
  TToolHost& FHost;
  TfrmGIFTrans* FGIFTrans = nullptr;
  std::unique_ptr<TfrmGIFTrans> FOwnGIFTrans;
  QString FSourcePath;
  QString FTargetPath;
  bool FLoadOnShow = false;

  TPGImage* pgLeft = nullptr;
  TPGImage* pgRight = nullptr;
  QComboBox* cbFileType = nullptr;
  QWidget* FJPEGBar = nullptr;
  QSlider* TrackBar1 = nullptr;
  QLabel* lPosition = nullptr;
  QWidget* FGIFBar = nullptr;
  QCheckBox* cbInterlaced = nullptr;
  QCheckBox* cbTransparent = nullptr;
  QAction* opMOS = nullptr;
  QAction* opAutoSharpen = nullptr;
  QAction* opSizeToFit = nullptr;
  QPushButton* btnConvert = nullptr;
  QMenu* FLeftMenu = nullptr;
  QMenu* FRightMenu = nullptr;
  QAction* FTargetProperties = nullptr;
  QAction* FDeleteTarget = nullptr;
  QLabel* FPanel0 = nullptr;
  QLabel* FPanel1 = nullptr;
};
