// Acquiring from the default scanner: open it, show its options, scan, hand back the transfer
// bitmap. The device is closed and the library ended on every path (by their owners' ends).
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "editor/ScanDialogs.h"
#include "imaging/formats/NativeDIB.h"
#include "platform/Settings.h"

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

// The default source when it is still there, else the first device found.
const TSaneDeviceInfo* ChooseDevice(const std::vector<TSaneDeviceInfo>& devices) {
  const std::string wanted = ReadSetting(kScanSourceSetting, "").toStdString();
  for (const TSaneDeviceInfo& d : devices)
    if (d.Name == wanted) return &d;
  return devices.empty() ? nullptr : &devices.front();
}

}  // namespace

std::vector<std::uint8_t> AcquireBitmap(QWidget* window) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TSaneSession session;
  std::vector<TSaneDeviceInfo> devices;
  QString failure;
  if (!session.Ok()) {
    failure = "Unable to load Source Manager (SANE)\n" + Text(SaneStatusText(session.Status()));
  } else {
    try {
      devices = session.Devices();
      if (devices.empty())
        failure = "Unable to open default Data Source.\nNo scanner was found. Check that it is "
                  "switched on and connected.";
    } catch (const ESane& e) {
      failure = "Unable to open Source Manager (SANE)\n" + Text(e.StatusText());
    }
  }
  std::unique_ptr<TSaneDevice> device;
  const TSaneDeviceInfo* info = failure.isEmpty() ? ChooseDevice(devices) : nullptr;
  if (info) {
    try {
      device = std::make_unique<TSaneDevice>(session, info->Name);
    } catch (const ESane& e) {
      failure = Text(e.what());
    }
  }
  QApplication::restoreOverrideCursor();
  if (!failure.isEmpty()) {
    ShowScanError(window, failure);
    return {};
  }
  const QString title = Text(info->Vendor + " " + info->Model).trimmed();
  TfrmScanOptions options(*device, title.isEmpty() ? Text(info->Name) : title, window);
  if (options.exec() != QDialog::Accepted) return {};
  TfrmScanProgress progress(*device, window);
  const TfrmScanProgress::TResult result = progress.Run();
  if (result == TfrmScanProgress::TResult::Failed) ShowScanError(window, progress.Error());
  if (result != TfrmScanProgress::TResult::Picture) return {};
  try {
    return PackDIB(*progress.TakePicture());
  } catch (const std::bad_alloc&) {
    ShowScanError(window, "The scan is too large to hold in memory. Choose a smaller scan area "
                          "or a lower resolution.");
    return {};
  }
}

int WriteNativeToFileAsk(QWidget* parent, const std::vector<std::uint8_t>& dib, QString name) {
  if (name.isEmpty()) {
    name = QFileDialog::getSaveFileName(parent, "Save the scanned picture", QString(),
                                        "Windows Bitmap (*.bmp)");
    if (name.isEmpty()) return kNativeWriteCancelled;
    if (QFileInfo(name).suffix().isEmpty()) name += ".bmp";
  }
  return WriteNativeToFile(dib, QFile::encodeName(name).toStdString());
}
