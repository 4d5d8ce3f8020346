// The background job every worker uses: results reach the receiver's thread in order as
// events owning their data; a stop is cooperative, waits, and discards what comes after it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/BackgroundJob.h"

namespace {

// Counts the live payloads, so that a discarded event is seen to free what it owned.
struct Payload {
  static std::atomic<int> Alive;
  int Value;
  explicit Payload(int v) : Value(v) { ++Alive; }
  ~Payload() { --Alive; }
};
std::atomic<int> Payload::Alive{0};

class PayloadEvent : public QEvent {
 public:
  static QEvent::Type Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }
  explicit PayloadEvent(int v) : QEvent(Type()), Data(std::make_unique<Payload>(v)) {}
  std::unique_ptr<Payload> Data;
};

class Receiver : public QObject {
 public:
  std::vector<int> Values;
  std::vector<QThread*> Threads;
  void customEvent(QEvent* e) override {
    if (e->type() != PayloadEvent::Type()) return;
    Values.push_back(static_cast<PayloadEvent*>(e)->Data->Value);
    Threads.push_back(QThread::currentThread());
  }
};

TEST(BackgroundJob, PostsInOrderToTheReceiversThread) {
  Receiver receiver;
  std::thread::id workThread;
  {
    TBackgroundJob job(&receiver);
    job.Start([&] {
      workThread = std::this_thread::get_id();
      for (int i = 1; i <= 50; ++i) job.Post(std::make_unique<PayloadEvent>(i));
    });
    job.Wait();
  }
  EXPECT_NE(workThread, std::this_thread::get_id());
  EXPECT_TRUE(receiver.Values.empty());  // nothing arrives before the loop runs
  QCoreApplication::sendPostedEvents(&receiver);
  ASSERT_EQ(receiver.Values.size(), 50u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(receiver.Values[i], i + 1);
  for (QThread* t : receiver.Threads) EXPECT_EQ(t, QThread::currentThread());
  EXPECT_EQ(Payload::Alive, 0);
}

TEST(BackgroundJob, StopIsCooperativeWaitsAndDiscardsLaterResults) {
  Receiver receiver;
  std::atomic<bool> running{false};
  std::atomic<int> stages{0};
  TBackgroundJob job(&receiver);
  job.Start([&] {
    running = true;
    while (!job.StopRequested()) {
      ++stages;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    job.Post(std::make_unique<PayloadEvent>(99));  // too late: discarded
  });
  while (!running) std::this_thread::yield();
  job.Stop();
  const int after = stages;
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(stages, after);  // the work has ended when Stop returns
  EXPECT_TRUE(job.StopFlag());
  QCoreApplication::sendPostedEvents(&receiver);
  EXPECT_TRUE(receiver.Values.empty());
  EXPECT_EQ(Payload::Alive, 0);  // the discarded result was freed
}

TEST(BackgroundJob, AFailingJobEndsQuietlyAndDestroyingStops) {
  Receiver receiver;
  {
    TBackgroundJob job(&receiver);
    job.Start([&] {
      job.Post(std::make_unique<PayloadEvent>(1));
      throw std::runtime_error("broken input");
    });
    job.Wait();
  }
  {
    TBackgroundJob endless(&receiver);
    endless.Start([&] {
      while (!endless.StopRequested()) std::this_thread::yield();
    });
  }  // the destructor stops and waits
  {
    TBackgroundJob never(&receiver);  // never started: nothing to wait for
    never.Stop();
  }
  QCoreApplication::sendPostedEvents(&receiver);
  EXPECT_EQ(receiver.Values, std::vector<int>{1});
  // Events for a receiver that is gone are dropped with what they own.
  auto gone = std::make_unique<Receiver>();
  TBackgroundJob job(gone.get());
  job.Start([&] { job.Post(std::make_unique<PayloadEvent>(5)); });
  job.Wait();
  gone.reset();
  EXPECT_EQ(Payload::Alive, 0);
}

}  // namespace
