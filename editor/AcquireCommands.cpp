// The editor's commands: each asks for its parameters, runs the core command and reports.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>

#include "controls/ToolHost.h"
#include "dialogs/EffectWindow.h"
#include "dialogs/FilterDialogForm.h"
#include "dialogs/OpenSaveDialog.h"
#include "editor/AcquireParts.h"
#include "editor/AcquireWindow.h"
#include "editor/EditDialogs.h"
#include "editor/SaveOptionsDialog.h"
#include "imaging/formats/FormatContext.h"
#include "platform/Messages.h"
#include "platform/PGPrint.h"
#include "view/PGImage.h"

namespace {

// The hourglass for the scope's lifetime, also when an error leaves it.
class TWaitCursor {
 public:
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

long long NowMs() {
  static QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return clock.elapsed() + 1000;  // the progress clock starts at 0: the first report shows
}

TRGB ToRGB(const QColor& c) { return RGBColor(c.red(), c.green(), c.blue()); }

}  // namespace

std::function<int(QWidget*, const QString&)> TfrmAcquire::AskUnsavedHook;

TFilterDialog& TfrmAcquire::PointFilterDialog(int index) const { return FFilters->Point(index); }

TFilterDialog& TfrmAcquire::ConvolutionDialog(int index) const {
  return FFilters->Convolution(index);
}

bool TfrmAcquire::MayDropChanges() {
  if (!FModified || FView->IsEmpty()) return true;
  const QString text = QString("The picture %1 has changes that are not saved.\n\nSave them first?")
                           .arg(QFileInfo(FView->FileName()).fileName());
  const int answer =
      AskUnsavedHook ? AskUnsavedHook(this, text)
                     : QMessageBox::warning(this, "Lumivex Image Editor", text,
                                            QMessageBox::Save | QMessageBox::Discard |
                                                QMessageBox::Cancel,
                                            QMessageBox::Save);
  if (answer == QMessageBox::Save) return SaveAsCommand();
  if (answer != QMessageBox::Discard) return false;
  FModified = false;
  UpdateTitle();
  return true;
}

// ---- files -----------------------------------------------------------------------------------

void TfrmAcquire::EditFile(const QString& path) {
  if (!MayDropChanges()) {
    show();
    raise();
    return;
  }
  FView->SetZoomFactor(1.0);
  FView->SetSelection(false);
  FModified = false;
  FView->SetFileName(path);  // raises the loading error: the rest is left as it was
  FSaveDialog->FileName = path;
  FEditor->Undo().Clear();
  UpdateUndo();
  UpdateTitle();
  show();
  raise();
  activateWindow();
}

void TfrmAcquire::OpenCommand() {
  if (!MayDropChanges()) return;
  FView->SetSelection(false);
  if (FOpenDialog->Execute()) OpenFile(FOpenDialog->FileName);
}

void TfrmAcquire::OpenFile(const QString& path) {
  FView->SetZoomFactor(1.0);
  FModified = false;
  bool loaded = false;
  try {
    FView->LoadFromFile(path);
    loaded = true;
  } catch (const std::exception& e) {
    ShowError(this, QString::fromStdString(e.what()));
  }
  FSaveDialog->FileName = FView->FileName();
  UpdateTitle();
  if (loaded) OfferUpright(path);
}

bool TfrmAcquire::SaveAsCommand() {
  if (FView->IsEmpty()) return false;
  if (FSaveDialog->FileName.isEmpty() && !FHost.CurrentFolder().isEmpty())
    FSaveDialog->setDirectory(FHost.CurrentFolder());
  if (!FSaveDialog->Execute()) return false;
  return SaveTo(FSaveDialog->FileName);
}

bool TfrmAcquire::SaveTo(const QString& path) {
  if (FView->IsEmpty()) return false;
  // A format that cannot hold the picture's colours asks before it converts them.
  bool declined = false;
  SetPGWarningBoxHook([this, &declined](const std::string&, const std::string& text, bool withCancel) {
    const QString shown = QString::fromStdString(text).replace("\r", "\n");
    if (!withCancel) {
      ShowWarning(this, shown);
      return true;
    }
    declined = !AskYesNo(this, shown + "\n\nSave it that way?", true);
    return !declined;
  });
  struct TUnhook {
    ~TUnhook() { SetPGWarningBoxHook(nullptr); }
  } unhook;
  try {
    TWaitCursor wait;
    // The library writes beside the file and replaces it only when the writer succeeded.
    FView->SaveToFile(path);
  } catch (const std::exception& e) {
    if (!declined) ShowError(this, QString::fromStdString(e.what()));
    return false;
  }
  FSaveDialog->FileName = path;
  FModified = false;
  UpdateTitle();
  if (QFileInfo(path).absolutePath() == QFileInfo(FHost.CurrentFolder() + "/x").absolutePath())
    FHost.RefreshFolder();
  return true;
}

void TfrmAcquire::SaveOptionsCommand() { FSaveOptions->Execute(); }

void TfrmAcquire::PrintCommand() {
  TPixelGraphic* picture = FView->PixelGraphic();
  if (!picture || picture->Empty()) return;
  try {
    QPrinter printer;
    PGPrintImage(*picture, printer, true, true, this, "Lumivex");
  } catch (const std::exception& e) {
    ShowError(this, QString::fromStdString(e.what()));
  }
}

// ---- undo and the long-command frame ----------------------------------------------------------

void TfrmAcquire::UndoCommand() {
  if (!FEditor->UndoLast()) return;
  FModified = true;
  UpdateUndo();
  UpdateTitle();
}

TEditOutcome TfrmAcquire::RunLong(
    const std::function<TEditOutcome(const TEditProgress&)>& command) {
  auto wait = std::make_unique<TWaitCursor>();
  FBusy = true;
  FStopRequested = false;
  FClock.Reset();
  // Nothing may read the picture behind the command's back while events are processed.
  const bool threads = FView->UseThread();
  FView->SetUseThread(false);
  qApp->installEventFilter(this);
  struct TEnd {
    TfrmAcquire& W;
    bool Threads;
    ~TEnd() {
      qApp->removeEventFilter(&W);
      W.FBusy = false;
      W.FView->SetUseThread(Threads);
      W.SetStatus(QString());
      W.ShowSize();  // a new picture has put its size there already
    }
  };
  TEditOutcome outcome = TEditOutcome::Done;  // the picture may change before a failure
  QString error;
  {
    TEnd end{*this, threads};
    try {
      outcome = command([this](int step, int total) { return Progress(step, total); });
    } catch (const std::exception& e) {
      error = QString::fromStdString(e.what());
    }
  }
  wait.reset();
  // Reported once the window takes input again.
  if (!error.isEmpty()) ShowError(this, error);
  return outcome;
}

bool TfrmAcquire::Progress(int step, int total) {
  const int percent = FClock.Report(step, total, NowMs());
  if (percent >= 0) {
    SetStatus(QString::number(percent) + "%");
    FStatus->repaint();
    // Escape and painting reach the window between rows.
    QCoreApplication::processEvents();
  }
  return FStopRequested;
}

// Runs a short command with the hourglass and reports its failure.
template <class Command>
static TEditOutcome Guarded(QWidget* owner, bool hourglass, Command command) {
  std::unique_ptr<TWaitCursor> wait;
  if (hourglass) wait = std::make_unique<TWaitCursor>();
  try {
    return command();
  } catch (const std::exception& e) {
    wait.reset();
    ShowError(owner, QString::fromStdString(e.what()));
    return TEditOutcome::Done;
  }
}

// ---- geometry --------------------------------------------------------------------------------

void TfrmAcquire::RotateBy(double clockwiseDegrees) {
  AfterGeometry(Guarded(this, true, [&] { return FEditor->Rotate(clockwiseDegrees); }));
}

void TfrmAcquire::AfterGeometry(TEditOutcome outcome) {
  // The picture moved under the selection: it no longer marks what the user chose.
  if (outcome != TEditOutcome::Nothing) FView->SetSelection(false);
  AfterCommand(outcome);
}

void TfrmAcquire::RotateArbitrary() {
  if (FView->IsEmpty() || FRotate->exec() != QDialog::Accepted) return;
  if (const auto angle = FRotate->ClockwiseDegrees()) RotateBy(*angle);
}

void TfrmAcquire::FlipHorizontalCommand() {
  AfterGeometry(Guarded(this, true, [&] { return FEditor->FlipHorizontal(); }));
}

void TfrmAcquire::FlipVerticalCommand() {
  AfterGeometry(Guarded(this, true, [&] { return FEditor->FlipVertical(); }));
}

void TfrmAcquire::CropCommand() {
  if (FView->IsEmpty()) return;
  if (!FView->Selection()) {
    ShowMessage(this, "You need to select an area first");
    return;
  }
  const TSelRect s = FView->SelectionRect();
  TCropOutcome outcome = TCropOutcome::NoPicture;
  Guarded(this, true, [&] {
    outcome = FEditor->Crop(true, {s.Left, s.Top, s.Width, s.Height});
    return TEditOutcome::Nothing;
  });
  if (outcome == TCropOutcome::Outside) {
    ShowMessage(this, "The selected area lies outside the picture");
    return;
  }
  FView->SetSelection(false);
  AfterCommand(outcome == TCropOutcome::Done ? TEditOutcome::Done : TEditOutcome::Nothing);
}

void TfrmAcquire::BorderCommand() {
  if (FView->IsEmpty() || FBorder->exec() != QDialog::Accepted) return;
  const auto width = FBorder->BorderWidthPixels();
  if (!width) return;
  AfterCommand(Guarded(this, true, [&] {
    return FEditor->Border(FBorder->Elliptic(), *width, ToRGB(FBorder->Color()));
  }));
}

void TfrmAcquire::BevelCommand() {
  AfterCommand(Guarded(this, false, [&] { return FEditor->Bevel(); }));
}

void TfrmAcquire::ColorResolutionCommand() {
  if (FView->IsEmpty() || FColorRez->exec() != QDialog::Accepted) return;
  AfterCommand(RunLong([&](const TEditProgress& progress) {
    return FEditor->ColorResolution(FColorRez->Values().Choice(), progress);
  }));
}

void TfrmAcquire::ResizeCommand() {
  const TPixelGraphic* picture = FView->PixelGraphic();
  if (!picture || picture->Empty()) return;
  FResize->SetPictureSize(picture->Width(), picture->Height());
  if (FResize->exec() != QDialog::Accepted) return;
  const auto w = FResize->Values().NewWidth(), h = FResize->Values().NewHeight();
  if (!w || !h || !ValidPictureSize(*w, *h)) return;
  AfterGeometry(Guarded(this, true, [&] {
    return FEditor->Resize(static_cast<int>(*w), static_cast<int>(*h));
  }));
}

// ---- filters and effects ---------------------------------------------------------------------

void TfrmAcquire::PointFilterCommand(int index) {
  const TPixelGraphic* picture = FView->PixelGraphic();
  if (!picture || picture->Empty()) return;
  TFilterDialog& dialog = FFilters->Point(index);
  if (!ExecuteFilterDialog(dialog, picture, this)) return;
  repaint();
  AfterCommand(RunLong([&](const TEditProgress& progress) {
    return FEditor->PointFilter(TEditorFilterDialogs::PointName(index), dialog.Filter(), progress);
  }));
}

void TfrmAcquire::ConvolutionCommand(int index) {
  if (FView->IsEmpty()) return;
  TFilterDialog& dialog = FFilters->Convolution(index);
  if (!ExecuteFilterDialog(dialog, nullptr, this)) return;
  repaint();
  AfterCommand(RunLong([&](const TEditProgress& progress) {
    return FEditor->Convolution(TEditorFilterDialogs::ConvolutionName(index), dialog.Filter(),
                                progress);
  }));
}

void TfrmAcquire::FastEffectCommand(TFastEffect effect) {
  AfterCommand(Guarded(this, true, [&] { return FEditor->FastEffect(effect); }));
}

void TfrmAcquire::EffectWindowCommand(int tag) {
  const TPixelGraphic* picture = FView->PixelGraphic();
  if (!picture || picture->Empty()) return;
  FEffect->SetEffect(tag);
  FEffect->SetImage(picture);
  const bool ok = FEffect->exec() == QDialog::Accepted;
  FEffect->SetImage(nullptr);
  if (!ok) return;
  AfterCommand(Guarded(this, true, [&] {
    return FEditor->InPlace(EffectName(tag), [this](TPixelGraphic& p) { FEffect->ApplyTo(p); });
  }));
}

void TfrmAcquire::PencilCommand() {
  AfterCommand(RunLong([&](const TEditProgress& progress) { return FEditor->Pencil(progress); }));
}

void TfrmAcquire::PosterizeCommand() {
  AfterCommand(Guarded(this, true, [&] { return FEditor->Posterize(); }));
}
