#include "view/PreviewBuilder.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "imaging/formats/LoadSave.h"

namespace {

long long Bucket100() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() / 100;
}

}  // namespace

void PreviewSize(int width, int height, int previewW, int previewH, int& w, int& h) {
  w = width;
  h = height;
  if (width <= previewW && height <= previewH) return;
  if (width < 1 || height < 1 || previewW < 1 || previewH < 1) return;
  const double a = static_cast<double>(width) / height;
  if (static_cast<double>(previewW) / previewH >= a) {
    w = std::clamp(static_cast<int>(a * previewH), 1, width);
    h = previewH;
  } else {
    w = previewW;
    h = std::clamp(static_cast<int>(previewW / a), 1, height);
  }
}

std::unique_ptr<TPixelGraphic> BuildPreview(const TPreviewRequest& request,
                                            const std::atomic<bool>& terminate,
                                            const std::function<void(int, int)>& progress) {
  int stepIndex = 1;
  int lastPercent = -1;
  long long lastBucket = Bucket100();
  auto report = [&](TPixelGraphic&, int step, int max, bool& abort) {
    if (max > 0) {
      const int percent = static_cast<int>(100LL * step / max);
      const long long bucket = Bucket100();
      if (percent != lastPercent && (bucket != lastBucket || percent / 16 != lastPercent / 16)) {
        lastPercent = percent;
        lastBucket = bucket;
        if (progress) progress(stepIndex * 16, percent);
      }
    }
    abort = terminate.load();
  };
  try {
    std::error_code ec;
    if (!std::filesystem::exists(request.FileName, ec)) return nullptr;
    auto image = std::make_unique<TPixelGraphic>();
    image->ReadWarningAction = pgwaIgnore;
    image->PreviewLoad = true;
    image->OnPixelGraphicProgress = report;
    LoadFromFile(*image, request.FileName);
    if (terminate) return nullptr;

    int w = 0, h = 0;
    PreviewSize(image->Width(), image->Height(), request.PreviewWidth, request.PreviewHeight, w, h);
    if (w != image->Width() || h != image->Height()) {
      ++stepIndex;
      auto small = std::make_unique<TPixelGraphic>();
      small->StretchMode = request.StretchMode;
      small->SetSize(w, h, pf24Bit);
      small->OnPixelGraphicProgress = report;
      small->CopyFrom(*image);
      image = std::move(small);
    }
    if (terminate) return nullptr;

    if (request.ScreenDepth <= 8) {
      ++stepIndex;
      auto reduced = std::make_unique<TPixelGraphic>();
      reduced->OnPixelGraphicProgress = report;
      const bool palette = image->PixelFormat() != pf24Bit;
      const TPaletteIdent choice = palette ? request.Palette8 : request.Palette24;
      if (request.ScreenDepth < 8) {
        reduced->SetSize(image->Width(), image->Height(), pf4Bit);
        reduced->SetPaletteIdent(pSys16);
      } else {
        reduced->SetSize(image->Width(), image->Height(), pf8Bit);
        if (choice == pOptimized252Sys16)
          MakeOptimizedPalette(*reduced, *image, 252, true);
        else if (choice == pSource && palette)
          reduced->CopyPalette(*image);
        else
          reduced->SetPaletteIdent(choice == pSource ? pOptimized252Sys16 : choice);
        if (reduced->PaletteCount() == 0) MakeOptimizedPalette(*reduced, *image, 252, true);
      }
      reduced->CopyFrom(*image);
      image = std::move(reduced);
    }
    image->OnPixelGraphicProgress = nullptr;
    if (terminate) return nullptr;
    return image;
  } catch (...) {
    return nullptr;  // the dialog shows no preview
  }
}
