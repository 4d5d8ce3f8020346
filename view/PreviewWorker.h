// TCreateOpenSaveDialogPaintPGThread: builds the open/save dialogs' preview on a worker
// thread and posts it (and its progress) to the dialog.
#pragma once

#include <QThread>
#include <atomic>

#include "view/PaintCopyWorker.h"
#include "view/PreviewBuilder.h"

class TCreateOpenSaveDialogPaintPGThread : public QThread {
 public:
  // The result arrives as a TPaintCopyResultEvent (order `order`), progress as a
  // TPaintCopyProgressEvent, both posted to `target`.
  TCreateOpenSaveDialogPaintPGThread(QObject* target, unsigned order, TPreviewRequest request);
  ~TCreateOpenSaveDialogPaintPGThread() override;
  void Terminate();

 protected:
  void run() override;

 private:
  QObject* FTarget;
  unsigned FOrder;
  TPreviewRequest FRequest;
  std::atomic<bool> FTerminate{false};
};
