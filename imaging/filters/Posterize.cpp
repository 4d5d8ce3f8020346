#include "imaging/filters/Compositions.h"

void Posterize(TPixelGraphic& destination, const TPixelGraphic& source) {
  if (&destination == &source) {
    TPixelGraphic copy;
    copy.Assign(&source);
    Posterize(destination, copy);
    return;
  }
  TPGUpdateScope update(destination);
  destination.SetSize(source.Width(), source.Height(), pf4Bit);
  destination.Dither = false;
  destination.SetRGBWeighting(false);
  MakeOptimizedPalette(destination, source, 8, false);
  destination.CopyFrom(source);
}
