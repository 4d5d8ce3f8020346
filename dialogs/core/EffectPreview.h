// The effect window's arithmetic: which effect a tag stands for, the size and place of its
// 240 x 240 preview, one slider step on the preview copies and the effect on a whole image.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/PGraphic.h"
#include "imaging/filters/FastBMP.h"

enum TEffectKind { efxNone = 0, efxSprayPaint = 1, efxMonoNoise = 2, efxColorNoise = 3, efxMosaic = 4 };

inline constexpr int kEffectPreviewSide = 240;

// "Spray Paint", "Monochrome Noise", "Color Noise", "Mosaic"; empty for other tags.
std::string EffectName(int tag);

// The preview fitted into 240 x 240 keeping the aspect ratio (Round), at least 1 x 1; 0 x 0
// for an image without pixels.
void EffectPreviewSize(int width, int height, int& w, int& h);
// Where the preview goes in the window.
void EffectPreviewOrigin(int w, int h, int& x, int& y);

// The image resampled (precise quality) to the preview size as a 24-bit fast bitmap.
TFastBMP MakeEffectPreview(const TPixelGraphic& image);

// One slider change: spray reads the pristine copy into the working copy; the others copy the
// pristine pixels into the working copy and apply the effect there.
void ApplyEffectStep(const TFastBMP& pristine, TFastBMP& working, int tag, int amount,
                     TFxRandom& random);

// The effect at full size: the image becomes a 24-bit picture holding the result. Nothing
// for an image without pixels or an unknown tag.
void ApplyEffectToImage(TPixelGraphic& image, int tag, int amount, std::uint64_t seed);
