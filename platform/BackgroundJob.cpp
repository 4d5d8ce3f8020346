#include "platform/BackgroundJob.h"

#include <QCoreApplication>

TBackgroundJob::~TBackgroundJob() { Stop(); }

void TBackgroundJob::Start(std::function<void()> work) {
  if (Started()) return;
  FThread = std::thread([work = std::move(work)] {
    try {
      work();
    } catch (...) {
      // A failing job must not end the program; it has posted what it could.
    }
  });
}

void TBackgroundJob::Stop() {
  FStop = true;
  Wait();
}

void TBackgroundJob::Wait() {
  if (!FThread.joinable()) return;
  FThread.join();
  FJoined = true;
}

void TBackgroundJob::Post(std::unique_ptr<QEvent> event) {
  if (!event || StopRequested()) return;
  QCoreApplication::postEvent(FReceiver, event.release());
}
