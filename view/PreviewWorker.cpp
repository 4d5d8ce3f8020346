#include "view/PreviewWorker.h"

TCreateOpenSaveDialogPaintPGThread::TCreateOpenSaveDialogPaintPGThread(QObject* target,
                                                                       unsigned order,
                                                                       TPreviewRequest request)
    : FOrder(order), FRequest(std::move(request)), FJob(target) {}

void TCreateOpenSaveDialogPaintPGThread::Start() {
  FJob.Start([this] {
    auto result = BuildPreview(FRequest, FJob.StopFlag(), [this](int step, int percent) {
      FJob.Post(std::make_unique<TPaintCopyProgressEvent>(FOrder, step, percent));
    });
    if (result) FJob.Post(std::make_unique<TPaintCopyResultEvent>(FOrder, std::move(result)));
  });
}
