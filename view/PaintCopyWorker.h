// TCreatePaintPGThread: builds a view's display copy on a worker thread and hands the result
// and its progress to the view as posted events, in order.
#pragma once

#include <QEvent>
#include <QThread>
#include <atomic>
#include <memory>

#include "view/PaintCopyBuilder.h"

class QObject;

// Result of an order: ownership of the copy passes with the event.
class TPaintCopyResultEvent : public QEvent {
 public:
  static const QEvent::Type kType;
  TPaintCopyResultEvent(unsigned order, std::unique_ptr<TPixelGraphic> result)
      : QEvent(kType), Order(order), Result(std::move(result)) {}
  unsigned Order;
  std::unique_ptr<TPixelGraphic> Result;
};

class TPaintCopyProgressEvent : public QEvent {
 public:
  static const QEvent::Type kType;
  TPaintCopyProgressEvent(unsigned order, int step, int percent)
      : QEvent(kType), Order(order), Step(step), Percent(percent) {}
  unsigned Order;
  int Step, Percent;
};

class TCreatePaintPGThread : public QThread {
 public:
  // `target` receives the events; `source` must not change while the thread runs.
  TCreatePaintPGThread(QObject* target, unsigned order, const TPixelGraphic& source,
                       const TDisplayCopyOrder& copy, const TPaintCopySettings& settings);
  ~TCreatePaintPGThread() override;

  // Asks the thread to stop (cooperatively) and waits for it.
  void Terminate();
  // Builds on the calling thread instead and returns the copy (used without threads).
  std::unique_ptr<TPixelGraphic> RunHere();

 protected:
  void run() override;

 private:
  QObject* FTarget;
  unsigned FOrder;
  TPaintCopyBuilder FBuilder;
  std::atomic<bool> FTerminate{false};
};
