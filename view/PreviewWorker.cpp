#include "view/PreviewWorker.h"

#include <QCoreApplication>

TCreateOpenSaveDialogPaintPGThread::TCreateOpenSaveDialogPaintPGThread(QObject* target,
                                                                       unsigned order,
                                                                       TPreviewRequest request)
    : FTarget(target), FOrder(order), FRequest(std::move(request)) {}

TCreateOpenSaveDialogPaintPGThread::~TCreateOpenSaveDialogPaintPGThread() { Terminate(); }

void TCreateOpenSaveDialogPaintPGThread::Terminate() {
  FTerminate = true;
  wait();
}

void TCreateOpenSaveDialogPaintPGThread::run() {
  auto result = BuildPreview(FRequest, FTerminate, [this](int step, int percent) {
    QCoreApplication::postEvent(FTarget, new TPaintCopyProgressEvent(FOrder, step, percent));
  });
  if (result && !FTerminate)
    QCoreApplication::postEvent(FTarget, new TPaintCopyResultEvent(FOrder, std::move(result)));
}
