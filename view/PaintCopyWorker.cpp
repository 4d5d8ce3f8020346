#include "view/PaintCopyWorker.h"

const QEvent::Type TPaintCopyResultEvent::kType =
    static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type TPaintCopyProgressEvent::kType =
    static_cast<QEvent::Type>(QEvent::registerEventType());

TCreatePaintPGThread::TCreatePaintPGThread(QObject* target, unsigned order,
                                           const TPixelGraphic& source,
                                           const TDisplayCopyOrder& copy,
                                           const TPaintCopySettings& settings)
    : FOrder(order), FBuilder(source, copy, settings), FJob(target) {}

std::unique_ptr<TPixelGraphic> TCreatePaintPGThread::RunHere() {
  try {
    return FBuilder.Run(FJob.StopFlag(), nullptr);
  } catch (...) {
    return nullptr;  // no copy; the next paint orders again
  }
}

void TCreatePaintPGThread::Start() {
  FJob.Start([this] {
    std::unique_ptr<TPixelGraphic> result = FBuilder.Run(FJob.StopFlag(), [this](int step, int percent) {
      FJob.Post(std::make_unique<TPaintCopyProgressEvent>(FOrder, step, percent));
    });
    if (result) FJob.Post(std::make_unique<TPaintCopyResultEvent>(FOrder, std::move(result)));
  });
}
