#include "view/PaintCopyWorker.h"

#include <QCoreApplication>

const QEvent::Type TPaintCopyResultEvent::kType =
    static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type TPaintCopyProgressEvent::kType =
    static_cast<QEvent::Type>(QEvent::registerEventType());

TCreatePaintPGThread::TCreatePaintPGThread(QObject* target, unsigned order,
                                           const TPixelGraphic& source,
                                           const TDisplayCopyOrder& copy,
                                           const TPaintCopySettings& settings)
    : FTarget(target), FOrder(order), FBuilder(source, copy, settings) {}

TCreatePaintPGThread::~TCreatePaintPGThread() { Terminate(); }

void TCreatePaintPGThread::Terminate() {
  FTerminate = true;
  wait();
}

std::unique_ptr<TPixelGraphic> TCreatePaintPGThread::RunHere() {
  try {
    return FBuilder.Run(FTerminate, nullptr);
  } catch (...) {
    return nullptr;  // no copy; the next paint orders again
  }
}

void TCreatePaintPGThread::run() {
  std::unique_ptr<TPixelGraphic> result;
  try {
    result = FBuilder.Run(FTerminate, [this](int step, int percent) {
      QCoreApplication::postEvent(FTarget, new TPaintCopyProgressEvent(FOrder, step, percent));
    });
  } catch (...) {
    return;  // a failure must not end the program: nothing is posted
  }
  if (result && !FTerminate)
    QCoreApplication::postEvent(FTarget, new TPaintCopyResultEvent(FOrder, std::move(result)));
}
