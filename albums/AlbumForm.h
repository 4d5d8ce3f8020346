// TfAlbum: the album window, "Lumivex VexAlbum Maker". Edits one album (TAlbumEditor): files
// dropped from the browser's file list or imported from its folder, captions, reordering,
// the frame setup, album files, and the pages composed for preview and printing.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "albums/core/AlbumEditor.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QToolBar;
class TAlbumList;
class TfAPrefs;
class TfrmEdit;
class TPreviewPrinter;
class TToolHost;

class TfAlbum : public QMainWindow {
 public:
  explicit TfAlbum(TToolHost& host);
  ~TfAlbum() override;

  // ---- commands --------------------------------------------------------------------------
  void NewAlbum();
  void OpenAlbum();
  // Reads the file into the album; false with a message box when it cannot be read (the
  // album and its file name stay).
  bool OpenAlbumFile(const QString& path);
  void SaveAlbum();
  void SaveAlbumAs();
  void ClearList();
  void ImportDirectory();
  void AddFiles(const QStringList& paths);
  void DeleteSelection();
  void MoveSelection(int delta);
  void EditCaption();
  void FrameSetup();
  void PageSetup();
  void SelectPrinter();
  // Composes the pages and opens the preview.
  void Preview();
  // Composes the pages (progress in the status bar); false when stopped.
  bool ComposePages();

  // ---- state, for tests ------------------------------------------------------------------
  TAlbumEditor& Editor() { return FEditor; }
  TAlbumList* LVAlbum() const { return FList; }
  TfrmEdit* CaptionEditor() const { return FCaptionEditor; }
  TfAPrefs* FramePrefs() const { return FPrefs; }
  TPreviewPrinter& Engine() { return *FEngine; }
  QString StatusText(int panel) const;
  QProgressBar* Progress() const { return FProgress; }

  // The file dialogs; tests replace them. They receive the title and the proposed folder or
  // file and return the chosen path ("" when cancelled).
  std::function<QString(const QString& title, const QString& start)> ChooseOpenFile;
  std::function<QString(const QString& title, const QString& start)> ChooseSaveFile;
  // Opens the preview of the composed pages (modal); tests replace it.
  std::function<void()> ShowPreview;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildBody();
  void ShowAlbum(int current);
  void ShowCount();
  bool WriteTo(const QString& path);
  QString DialogFolder() const;

  TToolHost& FHost;
  TAlbumEditor FEditor;
  std::unique_ptr<TPreviewPrinter> FEngine;
  QString FLastFolder;
  bool FComposing = false;
  bool FStopRequested = false;

  TAlbumList* FList = nullptr;
  QProgressBar* FProgress = nullptr;
  QLabel* FStatus[2] = {};
  QPushButton* FStop = nullptr;
  QToolBar* FToolBar = nullptr;
  TfrmEdit* FCaptionEditor = nullptr;
  TfAPrefs* FPrefs = nullptr;
};
