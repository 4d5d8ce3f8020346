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

namespace {
std::atomic<unsigned> gPosted{0};
}

void TBackgroundJob::AcceptPosted() { (void)gPosted.load(std::memory_order_acquire); }

void TBackgroundJob::Post(std::unique_ptr<QEvent> event) {
  if (!event || StopRequested()) return;
  gPosted.fetch_add(1, std::memory_order_release);
  QCoreApplication::postEvent(FReceiver, event.release());
}
