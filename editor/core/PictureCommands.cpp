#include "editor/core/PictureCommands.h"

#include "imaging/filters/Compositions.h"
#include "imaging/filters/FastBMP.h"

namespace {

std::unique_ptr<TPixelGraphic> TrueColorCopy(const TPixelGraphic& source) {
  auto result = std::make_unique<TPixelGraphic>();
  result->StretchMode = smPrecise;
  result->SetSize(source.Width(), source.Height(), pf24Bit);
  result->CopyFrom(source);
  return result;
}

}  // namespace

std::unique_ptr<TPixelGraphic> RotatedPicture(const TPixelGraphic& source,
                                              double clockwiseDegrees) {
  auto result = std::make_unique<TPixelGraphic>();
  result->Interpolate = true;
  result->SetPixelFormat(source.PixelFormat());
  if (source.PixelFormat() != pf24Bit) result->CopyPalette(source);
  result->Rotate(true, source, clockwiseDegrees);
  return result;
}

std::unique_ptr<TPixelGraphic> BorderedPicture(const TPixelGraphic& source, bool elliptic,
                                               int borderWidth, TRGB color) {
  auto result = std::make_unique<TPixelGraphic>();
  result->SetSize(source.Width(), source.Height(), source.PixelFormat());
  result->AddBorder(elliptic, borderWidth, source, color);
  return result;
}

std::unique_ptr<TPixelGraphic> BevelledPicture(const TPixelGraphic& source) {
  auto result = TrueColorCopy(source);
  ApplyBevel(*result, DefaultBevelDepth(result->Width()));
  return result;
}

std::unique_ptr<TPixelGraphic> ResizedPicture(const TPixelGraphic& source, int width, int height) {
  auto result = std::make_unique<TPixelGraphic>();
  result->SetSize(width, height, pf24Bit);
  // A true-colour result has no palette to take over: it stays pTrueColor whatever the source.
  result->CopyFrom(source);
  return result;
}

std::unique_ptr<TPixelGraphic> PencilPicture(const TPixelGraphic& source,
                                             const TPGFilterOptions& options) {
  auto result = std::make_unique<TPixelGraphic>();
  result->SetSize(source.Width(), source.Height(), pf24Bit);
  PencilDrawing(*result, source, options);
  return result;
}

std::unique_ptr<TPixelGraphic> PosterizedPicture(const TPixelGraphic& source) {
  auto result = std::make_unique<TPixelGraphic>();
  Posterize(*result, source);
  return result;
}

void ApplyFastEffect(TPixelGraphic& picture, TFastEffect effect) {
  const auto copy = TrueColorCopy(picture);
  const TFastBMP source(*copy);
  TFastBMP dest(source);
  switch (effect) {
    case TFastEffect::Emboss: dest.Emboss(); break;
    case TFastEffect::Fisheye: Fisheye(source, dest, 1.0f, {}); break;
    case TFastEffect::Swirl: Swirl(source, dest, 100, {}); break;
  }
  dest.AssignTo(picture);
}
