// TCreateOpenSaveDialogPaintPGThread: builds the open/save dialogs' preview on a background
// job and posts it (and its progress) to the dialog.
#pragma once

#include "platform/BackgroundJob.h"
#include "view/PaintCopyWorker.h"
#include "view/PreviewBuilder.h"

class TCreateOpenSaveDialogPaintPGThread {
 public:
  // The result arrives as a TPaintCopyResultEvent (order `order`), progress as a
  // TPaintCopyProgressEvent, both posted to `target`.
  TCreateOpenSaveDialogPaintPGThread(QObject* target, unsigned order, TPreviewRequest request);
  void Start();
  void Terminate() { FJob.Stop(); }
  void Wait() { FJob.Wait(); }

 private:
  unsigned FOrder;
  TPreviewRequest FRequest;
  TBackgroundJob FJob;  // last: stopped before the request goes
};
