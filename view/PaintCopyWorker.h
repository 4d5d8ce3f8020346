// TCreatePaintPGThread: builds a view's display copy on a background job and hands the result
// and its progress to the view as posted events, in order.
#pragma once

#include <QEvent>
#include <memory>

#include "platform/BackgroundJob.h"
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

class TCreatePaintPGThread {
 public:
  // `target` receives the events; `source` must not change while the job runs.
  TCreatePaintPGThread(QObject* target, unsigned order, const TPixelGraphic& source,
                       const TDisplayCopyOrder& copy, const TPaintCopySettings& settings);

  // Builds on the job's thread; the result arrives as a TPaintCopyResultEvent.
  void Start();
  // Asks the build to stop (cooperatively) and waits for it.
  void Terminate() { FJob.Stop(); }
  void Wait() { FJob.Wait(); }
  // Builds on the calling thread instead and returns the copy (used without threads).
  std::unique_ptr<TPixelGraphic> RunHere();

 private:
  unsigned FOrder;
  TPaintCopyBuilder FBuilder;
  TBackgroundJob FJob;  // last: stopped before the builder goes
};
