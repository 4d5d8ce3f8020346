// The editor's acquisition commands: "Select...", "Acquire..." and "Screen Capture".
#include <QDir>
#include <QTemporaryFile>

#include "dialogs/OpenSaveDialog.h"
#include "editor/AcquireWindow.h"
#include "editor/ScanDialogs.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/NativeDIB.h"
#include "platform/Messages.h"
#include "platform/ScreenCapture.h"
#include "view/PGImage.h"

void TfrmAcquire::SetAcquireEnabled(bool enabled) {
  Action("Select1")->setEnabled(enabled);
  Action("Acquire1")->setEnabled(enabled);
}

void TfrmAcquire::SelectCommand() { SelectImageSource(this); }

void TfrmAcquire::TakeNewPicture(std::unique_ptr<TPixelGraphic> picture) {
  FView->SetSelection(false);
  FView->SetZoomFactor(1.0);
  FView->ShowLoaded(std::move(picture), QString());  // a picture without a file
  FSaveDialog->FileName.clear();
  FModified = true;
  UpdateTitle();
}

void TfrmAcquire::AcquireCommand() {
  if (FBusy) return;
  const std::vector<std::uint8_t> dib = AcquireBitmap(this);
  raise();
  activateWindow();
  update();
  if (dib.empty()) return;
  // The transfer bitmap goes through a BMP file, as a picture file opened by the user would;
  // the file has an unpredictable name and is removed on every path.
  std::unique_ptr<TPixelGraphic> picture;
  {
    QTemporaryFile file(QDir::tempPath() + "/PGLXXXXXX.bmp");
    bool written = file.open() &&
                   WriteNativeBMP(dib.data(), dib.size(), [&file](const void* p, std::size_t n) {
                     return file.write(static_cast<const char*>(p), qint64(n)) == qint64(n);
                   }) == kNativeWriteOK &&
                   file.flush();
    if (written) {
      try {
        picture = std::make_unique<TPixelGraphic>();
        LoadFromFile(*picture, QFile::encodeName(file.fileName()).toStdString());
      } catch (const std::exception&) {
        picture.reset();
      }
    }
  }
  if (!picture) {
    ShowScanError(this, "Unable to aquire image");
    return;
  }
  if (!MayDropChanges()) return;  // asked only once there is a picture to replace it
  TakeNewPicture(std::move(picture));
}

void TfrmAcquire::ScreenCaptureCommand() {
  if (FBusy) return;
  TScreenCapture capture = CaptureScreen();
  if (!capture.Picture) {
    ShowWarning(this, capture.Error);
    return;
  }
  if (!MayDropChanges()) return;
  TakeNewPicture(std::move(capture.Picture));
}
