#include "view/PaintCopyBuilder.h"

#include <chrono>
#include <vector>

#include "imaging/StandardPalettes.h"

namespace {

long long TickBucket() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() / 50;
}

void ApplySettings(TPixelGraphic& g, const TPaintCopySettings& s) {
  g.StretchMode = s.StretchMode;
  g.Dither = s.Dither;
  g.DitherErrorLimit = s.DitherErrorLimit;
  g.DitherErrorLimitAuto = s.DitherErrorLimitAuto;
  g.DitherErrorLimitSoft = s.DitherErrorLimitSoft;
  g.SetRGBWeighting(s.RGBWeighting);
}

// Sizes the copy, falling back to 1 x 1 when the wanted size cannot be had.
void SizeCopy(TPixelGraphic& g, int w, int h, TPixelFormat format) {
  if (w < 1 || h < 1 || static_cast<long long>(w) * h > PaintCopyPixelBudget) {
    g.SetSize(1, 1, format);
    return;
  }
  try {
    g.SetSize(w, h, format);
  } catch (const EPixelGraphic&) {
    g.SetSize(1, 1, format);
  }
}

}  // namespace

void TPaintCopyBuilder::Report(int step, int max, const std::atomic<bool>& terminate,
                               bool& abort) {
  const int percent = max == 0 ? 100 : static_cast<int>(100LL * step / max);
  const long long bucket = TickBucket();
  if (percent != FLastPercent && bucket != FLastBucket) {
    FLastPercent = percent;
    FLastBucket = bucket;
    if (FProgress) FProgress(FStepIndex, percent);
  }
  abort = terminate.load();
}

std::unique_ptr<TPixelGraphic> TPaintCopyBuilder::Run(const std::atomic<bool>& terminate,
                                                      const TPaintCopyProgress& progress) {
  FProgress = progress;
  FStepIndex = 1;
  FLastPercent = 0;
  FLastBucket = TickBucket();
  auto report = [this, &terminate](TPixelGraphic&, int step, int max, bool& abort) {
    Report(step, max, terminate, abort);
  };

  auto result = std::make_unique<TPixelGraphic>();
  ApplySettings(*result, FSettings);
  SizeCopy(*result, FOrder.Width, FOrder.Height, FOrder.Format);
  result->OnPixelGraphicProgress = report;

  std::unique_ptr<TPixelGraphic> intermediate;
  const TPixelGraphic* stretchSource = &FSource;
  if (FOrder.Intermediate && !terminate) {
    intermediate = std::make_unique<TPixelGraphic>();
    ApplySettings(*intermediate, FSettings);
    SizeCopy(*intermediate, result->Width(), result->Height(), pf24Bit);
    intermediate->OnPixelGraphicProgress = report;
    intermediate->CopyFrom(FSource);
    stretchSource = intermediate.get();
    ++FStepIndex;
  }

  const bool optimized = FOrder.Palette == pOptimized252Sys16;
  if (!terminate) {
    if (optimized) {
      MakeOptimizedPalette(*result, *stretchSource, 252, true);
      ++FStepIndex;
    } else if (FOrder.Palette == pSource) {
      result->CopyPalette(*stretchSource);
    } else if (FOrder.Palette != pNone) {
      result->SetPaletteIdent(FOrder.Palette);
    }
  }

  if (!terminate) {
    const bool mapIndexes = optimized && stretchSource->PixelFormat() == pf8Bit &&
                            stretchSource->Width() == result->Width() &&
                            stretchSource->Height() == result->Height();
    if (mapIndexes) {
      // Same size from an 8-bit picture: map each palette entry once, copy indexes.
      const bool cache = result->UseColorCache();
      result->SetUseColorCache(false);
      std::vector<std::uint8_t> map(256, 0);
      for (int i = 0; i < 256; ++i) {
        const TRGB c = i < stretchSource->PaletteCount() ? stretchSource->PaletteColor(i)
                       : stretchSource->PaletteCount() > 0 ? stretchSource->PaletteColor(0)
                                                           : 0;
        map[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(result->ColorToIndex(c));
      }
      result->SetUseColorCache(cache);
      bool abort = false;
      for (int y = 0; y < result->Height() && !abort; ++y) {
        const std::uint8_t* in = stretchSource->ScanLine(y);
        std::uint8_t* out = result->ScanLine(y);
        for (int x = 0; x < result->Width(); ++x) out[x] = map[in[x]];
        Report(y, result->Height() - 1, terminate, abort);
      }
    } else {
      result->CopyFrom(*stretchSource);
    }
    ++FStepIndex;
  }
  result->OnPixelGraphicProgress = nullptr;
  if (terminate) return nullptr;
  return result;
}
