#include "dialogs/core/EffectPreview.h"

#include <algorithm>
#include <cmath>

std::string EffectName(int tag) {
  switch (tag) {
    case efxSprayPaint: return "Spray Paint";
    case efxMonoNoise: return "Monochrome Noise";
    case efxColorNoise: return "Color Noise";
    case efxMosaic: return "Mosaic";
    default: return {};
  }
}

void EffectPreviewSize(int width, int height, int& w, int& h) {
  w = h = 0;
  if (width < 1 || height < 1) return;
  const double aspect = static_cast<double>(width) / height;
  if (aspect > 1) {
    w = kEffectPreviewSide;
    h = static_cast<int>(std::nearbyint(kEffectPreviewSide / aspect));
  } else {
    h = kEffectPreviewSide;
    w = static_cast<int>(std::nearbyint(aspect * kEffectPreviewSide));
  }
  w = std::max(w, 1);
  h = std::max(h, 1);
}

void EffectPreviewOrigin(int w, int h, int& x, int& y) {
  x = (kEffectPreviewSide - w) / 2 + 5;
  y = (kEffectPreviewSide - h) / 2 + 5;
}

TFastBMP MakeEffectPreview(const TPixelGraphic& image) {
  int w = 0, h = 0;
  EffectPreviewSize(image.Width(), image.Height(), w, h);
  if (w == 0 || image.Empty()) return {};
  TPixelGraphic small;
  small.StretchMode = smPrecise;
  small.SetSize(w, h, pf24Bit);
  small.CopyFrom(image);
  return TFastBMP(small);
}

void ApplyEffectStep(const TFastBMP& pristine, TFastBMP& working, int tag, int amount,
                     TFxRandom& random) {
  if (tag == efxSprayPaint) {
    pristine.SprayInto(working, amount, random);
    return;
  }
  working = pristine;
  switch (tag) {
    case efxMonoNoise: working.AddMonoNoise(amount, random); break;
    case efxColorNoise: working.AddColorNoise(amount, random); break;
    case efxMosaic: working.Mosaic(amount, amount); break;
    default: break;
  }
}

void ApplyEffectToImage(TPixelGraphic& image, int tag, int amount, std::uint64_t seed) {
  if (image.Empty() || image.Width() < 1 || image.Height() < 1 || EffectName(tag).empty()) return;
  TFxRandom random(seed);
  if (tag == efxSprayPaint) {
    const TFastBMP source(image);
    TFastBMP dest;
    source.SprayInto(dest, amount, random);
    dest.AssignTo(image);
    return;
  }
  TFastBMP picture(image);  // one copy: the other effects work in place
  switch (tag) {
    case efxMonoNoise: picture.AddMonoNoise(amount, random); break;
    case efxColorNoise: picture.AddColorNoise(amount, random); break;
    default: picture.Mosaic(amount, amount); break;
  }
  picture.AssignTo(image);
}
