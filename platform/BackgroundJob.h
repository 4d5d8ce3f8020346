// TBackgroundJob: one piece of work on a thread of its own, the pattern every worker of the
// program follows. The work is a plain builder (no toolkit calls) that checks a cooperative
// stop flag between its stages; what it produces reaches the receiver on the receiver's
// thread as posted events that own their data. Stopping sets the flag and waits.
//
// A result posted just before a stop may still arrive: receivers number their orders and
// drop events of an older order.
#pragma once

#include <QEvent>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QObject;

class TBackgroundJob {
 public:
  // `receiver` gets the posted events; destroying it discards events still on their way.
  explicit TBackgroundJob(QObject* receiver) : FReceiver(receiver) {}
  // Stops the work and waits for it.
  ~TBackgroundJob();
  TBackgroundJob(const TBackgroundJob&) = delete;
  TBackgroundJob& operator=(const TBackgroundJob&) = delete;

  // Runs `work` on the job's thread. A job runs once. An exception leaving `work` ends it
  // quietly (nothing more is posted).
  void Start(std::function<void()> work);
  // Asks the work to stop and waits for it to end.
  void Stop();
  // Asks the work to stop without waiting (a later Stop or Wait joins it).
  void RequestStop() { FStop = true; }
  // Waits for the work to end without asking it to stop.
  void Wait();
  bool Started() const { return FThread.joinable() || FJoined; }

  // ---- for the work ------------------------------------------------------------------------
  // The cooperative stop flag: stages check it and progress callbacks return it as Abort.
  const std::atomic<bool>& StopFlag() const { return FStop; }
  bool StopRequested() const { return FStop.load(std::memory_order_relaxed); }
  // Hands the event (and what it owns) to the receiver; after a stop was asked for the
  // event is discarded instead.
  void Post(std::unique_ptr<QEvent> event);

  // ---- for the receiver --------------------------------------------------------------------
  // Called by a receiver's event handler before it reads a posted event's data. The
  // toolkit's event queue already orders the two threads, but its lock is not visible to the
  // thread sanitizer; this pairs with a release in Post so that the order is explicit.
  static void AcceptPosted();

 private:
  QObject* FReceiver;
  std::atomic<bool> FStop{false};
  std::thread FThread;
  bool FJoined = false;
};
