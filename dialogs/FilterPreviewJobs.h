// The two preview workers of a filter dialog, each a background job posting its picture to
// the window as a TFilterPreviewEvent that owns it.
#pragma once

#include <QEvent>
#include <memory>

#include "imaging/PGraphic.h"
#include "imaging/filters/Filter.h"
#include "platform/BackgroundJob.h"

class TFilterPreviewEvent : public QEvent {
 public:
  static const QEvent::Type kType;
  enum TCode { SourceReady = 1, Result = 2 };
  TFilterPreviewEvent(TCode code, unsigned order, std::unique_ptr<TPixelGraphic> image)
      : QEvent(kType), Code(code), Order(order), Image(std::move(image)) {}
  TCode Code;
  unsigned Order;
  std::unique_ptr<TPixelGraphic> Image;
};

// Resamples the image into the w x h preview source. `image` must not change while it runs.
class TCreateSrcPGThread {
 public:
  TCreateSrcPGThread(QObject* target, const TPixelGraphic& image, int w, int h);
  void Start();
  void Stop() { FJob.Stop(); }

 private:
  const TPixelGraphic& FImage;
  int FW, FH;
  TBackgroundJob FJob;
};

// Applies its own filter to the preview source into a new picture. `source` must live and not
// change while it runs.
class TCreateDestPGThread {
 public:
  TCreateDestPGThread(QObject* target, unsigned order, const TPixelGraphic& source,
                      std::unique_ptr<TPGFilter> filter);
  void Start();
  // Asks it to stop without waiting.
  void Terminate() { FJob.RequestStop(); }
  void Stop() { FJob.Stop(); }

 private:
  unsigned FOrder;
  const TPixelGraphic& FSource;
  std::unique_ptr<TPGFilter> FFilter;
  TBackgroundJob FJob;  // last: stopped before the filter goes
};
