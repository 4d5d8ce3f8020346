// The progress of a scan: the scan runs on a worker thread and posts its progress and its
// result; Cancel stops it and waits for the device to end the scan.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/ScanDialogs.h"

namespace {

const QEvent::Type kScanProgressEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type kScanDoneEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

struct TScanProgressEvent : QEvent {
  TScanProgressEvent(std::uint64_t received, std::uint64_t expected, int frame)
      : QEvent(kScanProgressEvent), Received(received), Expected(expected), Frame(frame) {}
  std::uint64_t Received, Expected;
  int Frame;
};

struct TScanDoneEvent : QEvent {
  TScanDoneEvent() : QEvent(kScanDoneEvent) {}
  std::unique_ptr<TPixelGraphic> Picture;
  QString Error;
};

}  // namespace

std::function<void(TfrmScanProgress&)> TfrmScanProgress::ProgressHook;

TfrmScanProgress::TfrmScanProgress(TSaneDevice& device, QWidget* parent)
    : QDialog(parent), FDevice(device) {
  setObjectName("ScanProgress");
  setWindowTitle("Scanning");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  FText = new QLabel("Waiting for the scanner...");
  FText->setMinimumWidth(320);
  layout->addWidget(FText);
  FBar = new QProgressBar;
  FBar->setRange(0, 0);
  layout->addWidget(FBar);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
  FCancel = buttons->button(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

TfrmScanProgress::~TfrmScanProgress() {
  if (FJob) FJob->Stop();
}

TfrmScanProgress::TResult TfrmScanProgress::Run() {
  Start();
  exec();
  if (FJob) FJob->Stop();  // the device has ended the scan before the result is used
  return FResult;
}

void TfrmScanProgress::Start() {
  FJob = std::make_unique<TBackgroundJob>(this);
  TBackgroundJob* job = FJob.get();
  TSaneDevice* device = &FDevice;
  job->Start([job, device] {
    auto done = std::make_unique<TScanDoneEvent>();
    try {
      TScanAssembler assembler;
      const TScanOutcome outcome =
          device->Scan(assembler, job->StopFlag(), [job](std::uint64_t r, std::uint64_t e, int f) {
            job->Post(std::make_unique<TScanProgressEvent>(r, e, f));
          });
      if (outcome == TScanOutcome::Cancelled) return;
      done->Picture = assembler.Picture();
    } catch (const ESane& e) {
      done->Error = QString::fromStdString(e.what());
    } catch (const EScanFrame& e) {
      done->Error = QString::fromStdString(e.what());
    } catch (const std::bad_alloc&) {
      done->Error = "The scan is too large to hold in memory. Choose a smaller scan area or a "
                    "lower resolution.";
    }
    job->Post(std::move(done));
  });
}

void TfrmScanProgress::reject() {
  // Cancel, Escape and the window's close button: the scan stops and the device ends it.
  if (FJob) FJob->Stop();
  FResult = TResult::Cancelled;
  QDialog::reject();
}

bool TfrmScanProgress::event(QEvent* event) {
  if (event->type() == kScanProgressEvent) {
    TBackgroundJob::AcceptPosted();
    const auto* p = static_cast<TScanProgressEvent*>(event);
    FReceived = p->Received;
    if (p->Expected > 0) {
      FBar->setRange(0, 1000);
      FBar->setValue(static_cast<int>(p->Received * 1000 / p->Expected));
    } else {
      FBar->setRange(0, 0);
    }
    QString text = QString("Scanning: %1 KB received").arg(p->Received / 1024);
    if (p->Frame > 0) text += QString(" (colour pass %1 of 3)").arg(p->Frame + 1);
    FText->setText(text);
    if (ProgressHook) ProgressHook(*this);
    return true;
  }
  if (event->type() == kScanDoneEvent) {
    TBackgroundJob::AcceptPosted();
    auto* d = static_cast<TScanDoneEvent*>(event);
    FPicture = std::move(d->Picture);
    FError = d->Error;
    FResult = FPicture ? TResult::Picture : TResult::Failed;
    done(FPicture ? QDialog::Accepted : QDialog::Rejected);
    return true;
  }
  return QDialog::event(event);
}
