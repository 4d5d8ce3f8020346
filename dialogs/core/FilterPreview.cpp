#include "dialogs/core/FilterPreview.h"

#include "imaging/filters/ApplyFilter.h"

namespace {

// Progress events of the image under construction return the stop flag as Abort.
void StopOnRequest(TPixelGraphic& image, const std::atomic<bool>& stop) {
  image.OnPixelGraphicProgress = [&stop](TPixelGraphic&, int, int, bool& abort) {
    if (stop.load(std::memory_order_relaxed)) abort = true;
  };
}

}  // namespace

std::unique_ptr<TPixelGraphic> BuildFilterPreviewSource(const TPixelGraphic& image, int w, int h,
                                                        const std::atomic<bool>& stop) {
  auto source = std::make_unique<TPixelGraphic>();
  if (image.Width() == 0 || image.Height() == 0 || w <= 0 || h <= 0) return source;
  source->StretchMode = smPrecise;
  source->SetSize(w, h, pf24Bit);
  StopOnRequest(*source, stop);
  try {
    source->CopyFrom(image);
  } catch (const EPixelGraphic&) {
    if (!stop) throw;
  }
  source->OnPixelGraphicProgress = nullptr;
  if (stop) return nullptr;
  return source;
}

std::unique_ptr<TPixelGraphic> BuildFilterPreviewResult(const TPixelGraphic& source,
                                                        TPGFilter& filter,
                                                        const std::atomic<bool>& stop) {
  auto result = std::make_unique<TPixelGraphic>();
  if (stop) return nullptr;
  if (source.Width() == 0 || source.Height() == 0) return result;
  StopOnRequest(*result, stop);
  TPGFilterOptions options;
  options.Threads = 1;  // a preview is small; the sliders' thread must stay free
  ApplyFilter(*result, filter, source, options);
  result->OnPixelGraphicProgress = nullptr;
  if (stop) return nullptr;
  return result;
}
