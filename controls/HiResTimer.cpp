#include "controls/HiResTimer.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>
#include <chrono>

namespace {
const QEvent::Type TickEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

class TTickEvent : public QEvent {
 public:
  explicit TTickEvent(unsigned generation) : QEvent(TickEventType), Generation(generation) {}
  unsigned Generation;
};
}  // namespace

THiResTimer::THiResTimer(QObject* parent) : QObject(parent) {
  FTimer.setTimerType(Qt::PreciseTimer);
  connect(&FTimer, &QTimer::timeout, this, [this] {
    if (FEnabled && OnTimer) OnTimer(this);
  });
}

THiResTimer::~THiResTimer() {
  FEnabled = false;
  StopWorker();
}

void THiResTimer::SetInterval(int ms) {
  ms = std::max(ms, 1);
  if (ms == FInterval) return;
  {
    std::lock_guard<std::mutex> guard(FLock);  // the worker reads the interval
    FInterval = ms;
    ++FConfigGeneration;
  }
  FWake.notify_all();
  if (FEnabled && !FThreaded) FTimer.start(FInterval);
}

void THiResTimer::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Restart();
}

void THiResTimer::SetThreaded(bool value) {
  if (value == FThreaded) return;
  FThreaded = value;
  Restart();
}

void THiResTimer::SetThreadPriority(QThread::Priority value) {
  FPriority = value;
  if (FWorker) FWorker->setPriority(value);
}

void THiResTimer::Restart() {
  FTimer.stop();
  StopWorker();
  if (!FEnabled) return;
  if (FThreaded)
    StartWorker();
  else
    FTimer.start(FInterval);
}

void THiResTimer::StartWorker() {
  {
    std::lock_guard<std::mutex> guard(FLock);
    FStop = false;
  }
  const unsigned generation = ++FWorkerGeneration;
  FPending = false;
  FWorker = QThread::create([this, generation] { WorkerLoop(generation); });
  FWorker->start(FPriority);
}

void THiResTimer::StopWorker() {
  if (!FWorker) return;
  {
    std::lock_guard<std::mutex> guard(FLock);
    FStop = true;
    FWake.notify_all();
  }
  ++FWorkerGeneration;  // a tick already posted by this worker is dropped on arrival
  FWorker->wait();
  delete FWorker;
  FWorker = nullptr;
}

void THiResTimer::WorkerLoop(unsigned generation) {
  using Clock = std::chrono::steady_clock;
  std::unique_lock<std::mutex> lock(FLock);
  unsigned config = FConfigGeneration;
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(FInterval);
  while (!FStop) {
    FWake.wait_until(lock, deadline, [&] { return FStop || config != FConfigGeneration; });
    if (FStop) break;
    const Clock::time_point now = Clock::now();
    if (config != FConfigGeneration) {  // new interval: wait it out from now
      config = FConfigGeneration;
      deadline = now + std::chrono::milliseconds(FInterval);
      continue;
    }
    if (now < deadline) continue;
    if (!FPending.exchange(true))
      QCoreApplication::postEvent(this, new TTickEvent(generation));
    deadline += std::chrono::milliseconds(FInterval);
    if (deadline < now) deadline = now + std::chrono::milliseconds(FInterval);
  }
}

bool THiResTimer::event(QEvent* e) {
  if (e->type() != TickEventType) return QObject::event(e);
  const auto* tick = static_cast<TTickEvent*>(e);
  if (tick->Generation != FWorkerGeneration.load()) return true;  // from a stopped worker
  FPending = false;
  if (FEnabled && FThreaded && OnTimer) OnTimer(this);
  return true;
}
