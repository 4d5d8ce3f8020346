// The album window's commands; the album itself changes only through TAlbumEditor.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolBar>
#include <filesystem>

#include "albums/AlbumForm.h"
#include "albums/AlbumList.h"
#include "albums/AlbumPrint.h"
#include "albums/CaptionEditor.h"
#include "albums/FrameSetupForm.h"
#include "controls/ToolHost.h"
#include "platform/Messages.h"
#include "platform/Printer.h"
#include "print/PreviewPrinter.h"
#include "print/PrintWindows.h"
#include "print/core/FolderFiles.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// The first file dialog starts in the program's data folder, later ones where the last album
// was opened or saved.
QString TfAlbum::DialogFolder() const {
  if (!FLastFolder.isEmpty()) return FLastFolder;
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(data);
  return data;
}

void TfAlbum::NewAlbum() {
  FEditor.New();
  ShowAlbum(-1);
}

void TfAlbum::OpenAlbum() {
  const QString path = ChooseOpenFile(QStringLiteral("Lumivex Open Album"), DialogFolder());
  if (!path.isEmpty()) OpenAlbumFile(path);
}

bool TfAlbum::OpenAlbumFile(const QString& path) {
  try {
    FEditor.Open(path.toStdString());
  } catch (const EAlbumError& e) {
    ShowError(this, QString::fromUtf8(e.what()));
    return false;
  }
  FLastFolder = QFileInfo(path).absolutePath();
  ShowAlbum(FEditor.Count() > 0 ? 0 : -1);
  FStatus[0]->setText(QFileInfo(path).fileName());
  return true;
}

bool TfAlbum::WriteTo(const QString& path) {
  try {
    FEditor.SaveAs(path.toStdString());
  } catch (const EAlbumError& e) {
    ShowError(this, QString::fromUtf8(e.what()));
    return false;
  }
  FLastFolder = QFileInfo(path).absolutePath();
  FStatus[0]->setText(QStringLiteral("Saved ") + QFileInfo(path).fileName());
  return true;
}

void TfAlbum::SaveAlbum() {
  if (FEditor.Count() == 0) {
    ShowMessage(this, QStringLiteral("You need to have entries in the Album to save"));
    return;
  }
  // Without a file name, "Save" asks for one.
  const QString name = Q(FEditor.FileName());
  if (name.isEmpty()) return SaveAlbumAs();
  if (AskYesNo(this, QStringLiteral("Replace ") + name + QStringLiteral("?"), true))
    WriteTo(name);
  else
    SaveAlbumAs();
}

void TfAlbum::SaveAlbumAs() {
  if (FEditor.Count() == 0) {
    ShowMessage(this, QStringLiteral("You need to have entries in the Album to save"));
    return;
  }
  const QString start = FEditor.FileName().empty() ? DialogFolder() : Q(FEditor.FileName());
  QString path = ChooseSaveFile(QStringLiteral("Lumivex Save Album"), start);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".alb");
  WriteTo(path);
}

void TfAlbum::ClearList() {
  FEditor.Clear();
  ShowAlbum(-1);
}

void TfAlbum::ImportDirectory() {
  const QString folder = FHost.CurrentFolder();
  if (folder.isEmpty()) return;
  std::vector<std::string> names;
  try {
    names = ListFolderFiles(folder.toStdString(), FHost.FileMask().join(';').toStdString());
  } catch (const std::filesystem::filesystem_error& e) {
    ShowError(this, QStringLiteral("Cannot read the folder %1: %2").arg(folder, Q(e.code().message())));
    return;
  }
  const int before = FEditor.Count();
  FEditor.Import(folder.toStdString(), names);
  ShowAlbum(FEditor.Count() > before ? before : FList->CurrentRow());
}

void TfAlbum::AddFiles(const QStringList& paths) {
  const int before = FEditor.Count();
  QStringList refused;
  for (const QString& path : paths)
    if (const auto problem = FEditor.Add(path.toStdString())) refused << Q(*problem);
  ShowAlbum(FEditor.Count() > before ? FEditor.Count() - 1 : FList->CurrentRow());
  refused.removeDuplicates();
  if (!refused.isEmpty()) ShowMessage(this, refused.join('\n'));
}

void TfAlbum::DeleteSelection() {
  const int row = FList->CurrentRow();
  if (!FEditor.Remove(row)) return;
  ShowAlbum(std::min(row, FEditor.Count() - 1));
}

void TfAlbum::MoveSelection(int delta) {
  const int row = FList->CurrentRow();
  if (FEditor.Move(row, row + delta)) ShowAlbum(row + delta);
}

void TfAlbum::EditCaption() {
  const int row = FList->CurrentRow();
  if (row < 0) return;
  QTreeWidgetItem* item = FList->topLevelItem(row);
  FList->scrollToItem(item);
  const QRect cell = FList->visualItemRect(item).intersected(
      QRect(FList->header()->sectionViewportPosition(1), 0, FList->columnWidth(1), 1 << 20));
  const QRect global(FList->viewport()->mapToGlobal(cell.topLeft()), cell.size());
  const std::optional<QString> text =
      FCaptionEditor->Edit(Q(FEditor.Entry(row).Caption), global);
  if (!text) return;
  if (const auto problem = FEditor.SetCaption(row, text->toStdString())) {
    ShowMessage(this, Q(*problem));
    return;
  }
  ShowAlbum(row);
}

void TfAlbum::FrameSetup() {
  TAlbumSettings settings = FEditor.Settings();
  FPrefs->Edit(settings);
  FEditor.SetSettings(settings);
}

void TfAlbum::PageSetup() { PageSetupDialog(*FEngine, this); }

void TfAlbum::SelectPrinter() { ShowPrinterSetup(this); }

bool TfAlbum::ComposePages() {
  if (FComposing) return false;
  FComposing = true;
  FStopRequested = false;
  const TAlbum album = FEditor.Album();  // the list may not change the pages being made
  const int count = static_cast<int>(album.Entries.size());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Only Stop (and Esc) works while the pages are made.
  menuBar()->setEnabled(false);
  FToolBar->setEnabled(false);
  centralWidget()->setEnabled(false);
  FStop->show();
  FProgress->setRange(0, std::max(1, count));
  FProgress->setValue(0);
  QStringList failed;
  TAlbumPrintHooks hooks;
  hooks.OnEntry = [&](int e, int n, const QString& path) {
    FStatus[0]->setText(QStringLiteral("Processing ") + path);
    FStatus[1]->setText(QStringLiteral("%1/%2    ").arg(e + 1).arg(n));
    FProgress->setValue(e);
    QApplication::processEvents();  // shows the progress and lets Stop through
  };
  hooks.OnLoadError = [&](const QString& path, const QString&) { failed << path; };
  hooks.Stopped = [this] { return FStopRequested; };
  try {
    UseAlbumReferenceDevice(*FEngine);
    RecordAlbum(*FEngine, album, hooks);
  } catch (const std::exception& e) {
    failed.clear();
    FStopRequested = true;
    ShowError(this, QString::fromUtf8(e.what()));
  }
  FEngine->ZoomOption = TZoomOption::zoFitToPage;
  FStop->hide();
  centralWidget()->setEnabled(true);
  FToolBar->setEnabled(true);
  menuBar()->setEnabled(true);
  QApplication::restoreOverrideCursor();
  FProgress->setValue(0);
  FStatus[0]->setText(FStopRequested ? QStringLiteral("Stopped") : QStringLiteral("Done"));
  ShowCount();
  FComposing = false;
  // One box for all pictures that could not be loaded, after the pages are made.
  if (!failed.isEmpty()) {
    QStringList lines;
    for (const QString& path : failed) lines << CantLoadMessage(path);
    ShowMessage(this, lines.join('\n'));
  }
  return !FStopRequested;
}

void TfAlbum::Preview() {
  if (ComposePages()) ShowPreview();
}
