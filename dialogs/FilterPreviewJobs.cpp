#include "dialogs/FilterPreviewJobs.h"

#include "dialogs/core/FilterPreview.h"

const QEvent::Type TFilterPreviewEvent::kType =
    static_cast<QEvent::Type>(QEvent::registerEventType());

TCreateSrcPGThread::TCreateSrcPGThread(QObject* target, const TPixelGraphic& image, int w, int h)
    : FImage(image), FW(w), FH(h), FJob(target) {}

void TCreateSrcPGThread::Start() {
  FJob.Start([this] {
    auto source = BuildFilterPreviewSource(FImage, FW, FH, FJob.StopFlag());
    if (source)
      FJob.Post(std::make_unique<TFilterPreviewEvent>(TFilterPreviewEvent::SourceReady, 0,
                                                      std::move(source)));
  });
}

TCreateDestPGThread::TCreateDestPGThread(QObject* target, unsigned order,
                                         const TPixelGraphic& source,
                                         std::unique_ptr<TPGFilter> filter)
    : FOrder(order), FSource(source), FFilter(std::move(filter)), FJob(target) {}

void TCreateDestPGThread::Start() {
  FJob.Start([this] {
    auto result = BuildFilterPreviewResult(FSource, *FFilter, FJob.StopFlag());
    if (result)
      FJob.Post(std::make_unique<TFilterPreviewEvent>(TFilterPreviewEvent::Result, FOrder,
                                                      std::move(result)));
  });
}
