// The scanner windows of the editor: the source list of "Select...", the device's own options
// and the progress of a scan, and the acquisition operations built on them.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/BackgroundJob.h"
#include "platform/SaneSession.h"

class QDialogButtonBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabWidget;

// The settings store's name of the default scanner.
inline constexpr const char* kScanSourceSetting = "ScanSource";

// The scanner error box ("Scanner Error"), a warning box; tests read it through the message hook.
void ShowScanError(QWidget* parent, const QString& text);

// "Select Source": the devices the scanner library finds; OK makes the chosen one the default.
class TfrmSelectSource : public QDialog {
 public:
  TfrmSelectSource(const std::vector<TSaneDeviceInfo>& devices, const QString& current,
                   QWidget* parent);
  QString Chosen() const;
  QListWidget* List() const { return FList; }

 private:
  QListWidget* FList;
  QDialogButtonBox* FButtons;
};

// The device's own options, from its descriptors, in one tab per option group. Every change
// is set on the device at once; the page is rebuilt when the device says other options changed.
class TfrmScanOptions : public QDialog {
 public:
  TfrmScanOptions(TSaneDevice& device, const QString& title, QWidget* parent);
  TSaneDevice& Device() { return FDevice; }
  // Builds the pages again from the device's current descriptors.
  void Rebuild();
  QPushButton* ScanButton() const { return FScan; }

 private:
  QWidget* EditorFor(const TSaneOption& option);
  void Apply(const std::function<TSaneSetResult()>& set);

  TSaneDevice& FDevice;
  QTabWidget* FTabs;
  QPushButton* FScan;
  bool FRebuildPending = false;
};

// The modal progress of a scan running on a worker thread; Cancel stops it.
class TfrmScanProgress : public QDialog {
 public:
  TfrmScanProgress(TSaneDevice& device, QWidget* parent);
  ~TfrmScanProgress() override;
  enum class TResult { Picture, Cancelled, Failed };
  TResult Run();
  std::unique_ptr<TPixelGraphic> TakePicture() { return std::move(FPicture); }
  QString Error() const { return FError; }
  QPushButton* CancelButton() const { return FCancel; }
  // Bytes the progress showed so far (tests).
  std::uint64_t Received() const { return FReceived; }
  void reject() override;
  // Called after each progress report is shown (tests cancel from it).
  static std::function<void(TfrmScanProgress&)> ProgressHook;

 protected:
  bool event(QEvent* event) override;

 private:
  void Start();

  TSaneDevice& FDevice;
  std::unique_ptr<TBackgroundJob> FJob;
  QLabel* FText;
  QProgressBar* FBar;
  QPushButton* FCancel;
  std::unique_ptr<TPixelGraphic> FPicture;
  QString FError;
  TResult FResult = TResult::Cancelled;
  std::uint64_t FReceived = 0;
};

// The acquisition operations: "Select..." shows the sources and keeps the choice; acquiring
// opens the default source, shows its options, scans and returns the transfer bitmap (empty
// when the user cancelled or a failure was reported).
void SelectImageSource(QWidget* window);
std::vector<std::uint8_t> AcquireBitmap(QWidget* window);
// Writes the transfer bitmap as a BMP file; an empty name asks for one ("Windows Bitmap").
// 0, or -1 dialog cancelled, -2 file not created, -3 bitmap not usable, -4 write failed.
int WriteNativeToFileAsk(QWidget* parent, const std::vector<std::uint8_t>& dib, QString name);
