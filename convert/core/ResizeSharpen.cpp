#include "convert/core/ResizeSharpen.h"

#include <algorithm>

#include "imaging/filters/ApplyFilter.h"
#include "imaging/filters/ConvFilter.h"

namespace {

void Resample(const TPixelGraphic& source, int width, int height, TStretchMode mode,
              TPixelGraphic& target) {
  target.SetSize(std::max(1, width), std::max(1, height), pf24Bit);
  target.SetPaletteIdent(source.PaletteIdent());
  target.StretchMode = mode;
  target.CopyFrom(source);
}

}  // namespace

void ResizeForConversion(const TPixelGraphic& source, int width, int height, TStretchMode mode,
                         bool sharpen, TPixelGraphic& result) {
  if (!sharpen) {
    Resample(source, width, height, mode, result);
    return;
  }
  TPixelGraphic resized;
  Resample(source, width, height, mode, resized);
  TConvFilter kernel;
  kernel.BuildSharpen(dsTent, false, 70, 0.75);
  result.SetSize(resized.Width(), resized.Height(), pf24Bit);
  ApplyFilter(result, kernel, resized);
}

void FitSize(int width, int height, int boxWidth, int boxHeight, int& outWidth, int& outHeight) {
  outWidth = std::max(1, width);
  outHeight = std::max(1, height);
  if (boxWidth < 1 || boxHeight < 1) return;
  if (outWidth <= boxWidth && outHeight <= boxHeight) return;
  // Scale by the tighter side; 64-bit products keep large pictures exact.
  const long long byWidth = static_cast<long long>(boxWidth) * outHeight;
  const long long byHeight = static_cast<long long>(boxHeight) * outWidth;
  if (byWidth <= byHeight) {
    outHeight = static_cast<int>(std::max(1LL, (byWidth + outWidth / 2) / outWidth));
    outWidth = boxWidth;
  } else {
    outWidth = static_cast<int>(std::max(1LL, (byHeight + outHeight / 2) / outHeight));
    outHeight = boxHeight;
  }
}

void DisplayedSizeOrOwn(int displayWidth, int displayHeight, int width, int height,
                        int& outWidth, int& outHeight) {
  const bool shown = displayWidth > 0 && displayHeight > 0;
  outWidth = std::max(1, shown ? displayWidth : width);
  outHeight = std::max(1, shown ? displayHeight : height);
}
