// THiResTimer: a millisecond timer whose ticks arrive on the thread that owns it (the user
// interface thread). With Threaded set, a worker thread does the waiting and posts each tick
// without blocking; at most one tick is pending at a time, so a busy receiver is never
// flooded, and stopping never waits for the receiver.
#pragma once

#include <QObject>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class THiResTimer : public QObject {
  Q_OBJECT
 public:
  explicit THiResTimer(QObject* parent = nullptr);
  ~THiResTimer() override;

  int Interval() const { return FInterval; }
  // At least 1 ms; a running timer starts its wait over.
  void SetInterval(int ms);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool Threaded() const { return FThreaded; }
  void SetThreaded(bool value);
  QThread::Priority ThreadPriority() const { return FPriority; }
  void SetThreadPriority(QThread::Priority value);

  std::function<void(THiResTimer* sender)> OnTimer;

 protected:
  bool event(QEvent* e) override;

 private:
  void Restart();
  void StartWorker();
  void StopWorker();
  void WorkerLoop(unsigned generation);

  int FInterval = 1000;
  bool FEnabled = false;
  bool FThreaded = false;
  QThread::Priority FPriority = QThread::NormalPriority;

  QTimer FTimer;  // used when not threaded
  QThread* FWorker = nullptr;
  std::mutex FLock;
  std::condition_variable FWake;
  bool FStop = false;
  unsigned FConfigGeneration = 0;   // changes when the interval changes
  std::atomic<unsigned> FWorkerGeneration{0};  // ticks of stopped workers are dropped
  std::atomic<bool> FPending{false};
};
