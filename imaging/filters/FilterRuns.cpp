// How each catalogue entry applies its filter: colour filters in place, convolution filters
// into a new 24-bit picture, effects on a 24-bit copy, as the editor does.
#include "imaging/filters/FilterRuns.h"

#include "imaging/filters/ChannelFilters.h"
#include "imaging/filters/Compositions.h"
#include "imaging/filters/ConvFilter.h"
#include "imaging/filters/FastBMP.h"
#include "imaging/filters/FilterTables.h"
#include "imaging/filters/PointFilters.h"

namespace filterruns {

namespace {

void InPlace(TPGFilter& filter, TPixelGraphic& image, const TOpts& options) {
  ApplyFilter(image, filter, image, options);
}

void IntoNew24Bit(TPGFilter& filter, TPixelGraphic& image, const TOpts& options) {
  TPixelGraphic result;  // new images are 24-bit
  ApplyFilter(result, filter, image, options);
  image.Assign(&result);
}

TDistributionShape Shape(const TArgs& a) {
  return static_cast<TDistributionShape>(a.Integer("distributionshape"));
}

// Standard deviation and radius as the dialogs keep them: in hundredths.
double Hundredths(const TArgs& a, const std::string& key, int min, int max) {
  return HundredthsPosition(a.Number(key), min, max) / 100.0;
}

// Runs an effect on a 24-bit copy and takes the result back.
template <class Effect>
void OnFastCopy(TPixelGraphic& image, Effect effect) {
  TFastBMP picture(image);
  effect(picture);
  picture.AssignTo(image);
}

}  // namespace

void Negative(const TArgs&, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TNegativeFilter f;
  InPlace(f, image, o);
}

void GrayScale(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TGrayScaleFilter f;
  f.RGBWeighting = a.Flag("rgbweighting");
  InPlace(f, image, o);
}

void BCG(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TBCGFilter f;
  ConfigureBCGFilter(f, a.Integer("brightness"), PositionOfFactor(a.Number("contrast")),
                     PositionOfFactor(a.Number("gamma")), a.Flag("usey"));
  InPlace(f, image, o);
}

void RGB(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TRGBFilter f;
  ConfigureShiftFilter(f, a.Integer("red"), a.Integer("green"), a.Integer("blue"));
  InPlace(f, image, o);
}

void CMY(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TCMYFilter f;
  ConfigureShiftFilter(f, a.Integer("cyan"), a.Integer("magenta"), a.Integer("yellow"));
  InPlace(f, image, o);
}

void YCbCr(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TYCbCrFilter f;
  ConfigureShiftFilter(f, a.Integer("y"), a.Integer("cb"), a.Integer("cr"));
  InPlace(f, image, o);
}

void HLS(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  THLSFilter f;
  ConfigureHueFilter(f, a.Integer("h"), a.Integer("l"), a.Integer("s"));
  InPlace(f, image, o);
}

void HSV(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  THSVFilter f;
  ConfigureHueFilter(f, a.Integer("h"), a.Integer("s"), a.Integer("v"));
  InPlace(f, image, o);
}

void Smooth(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TConvFilter f;
  f.BuildSmooth(Shape(a), a.Flag("usedistance"), a.Integer("percent"),
                Hundredths(a, "stddeviation", 40, 130));
  IntoNew24Bit(f, image, o);
}

void Sharpen(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TConvFilter f;
  f.BuildSharpen(Shape(a), a.Flag("usedistance"), a.Integer("percent"),
                 Hundredths(a, "stddeviation", 40, 130));
  IntoNew24Bit(f, image, o);
}

void Detail(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TConvFilter f;
  f.BuildDetail(Shape(a), a.Flag("usedistance"), a.Integer("percent"),
                Hundredths(a, "stddeviation", 40, 130));
  IntoNew24Bit(f, image, o);
}

void Contour(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TConvFilter f;
  f.BuildContour(Shape(a), a.Flag("usedistance"), !a.Flag("blackbk"), a.Integer("percent"),
                 Hundredths(a, "stddeviation", 40, 130));
  IntoNew24Bit(f, image, o);
}

void Blur(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TConvFilter f;
  f.BuildBlur(a.Integer("percent"), Hundredths(a, "radius", 50, 500));
  IntoNew24Bit(f, image, o);
}

void Emboss(const TArgs&, TPixelGraphic& image, std::uint64_t, const TOpts&) {
  OnFastCopy(image, [](TFastBMP& p) { p.Emboss(); });
}

void Fisheye(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts&) {
  const TFastBMP source(image);
  TFastBMP dest;
  ::Fisheye(source, dest, static_cast<float>(a.Number("amount")));
  dest.AssignTo(image);
}

void Swirl(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts&) {
  const TFastBMP source(image);
  TFastBMP dest;
  ::Swirl(source, dest, a.Integer("twist"));
  dest.AssignTo(image);
}

void Spray(const TArgs& a, TPixelGraphic& image, std::uint64_t seed, const TOpts&) {
  const TFastBMP source(image);
  TFastBMP dest;
  TFxRandom random(seed);
  source.SprayInto(dest, a.Integer("amount"), random);
  dest.AssignTo(image);
}

void MonoNoise(const TArgs& a, TPixelGraphic& image, std::uint64_t seed, const TOpts&) {
  TFxRandom random(seed);
  OnFastCopy(image, [&](TFastBMP& p) { p.AddMonoNoise(a.Integer("amount"), random); });
}

void ColorNoise(const TArgs& a, TPixelGraphic& image, std::uint64_t seed, const TOpts&) {
  TFxRandom random(seed);
  OnFastCopy(image, [&](TFastBMP& p) { p.AddColorNoise(a.Integer("amount"), random); });
}

void Mosaic(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts&) {
  const int size = a.Integer("size");
  OnFastCopy(image, [&](TFastBMP& p) { p.Mosaic(size, size); });
}

void Bevel(const TArgs& a, TPixelGraphic& image, std::uint64_t, const TOpts&) {
  // A 24-bit copy made with the precise conversion quality.
  TPixelGraphic copy;
  copy.StretchMode = smPrecise;
  copy.SetSize(image.Width(), image.Height(), pf24Bit);
  copy.CopyFrom(image);
  const int depth = a.IsDefault("depth") ? DefaultBevelDepth(image.Width()) : a.Integer("depth");
  ApplyBevel(copy, depth);
  image.Assign(&copy);
}

void Pencil(const TArgs&, TPixelGraphic& image, std::uint64_t, const TOpts& o) {
  TPixelGraphic result;
  PencilDrawing(result, image, o);
  image.Assign(&result);
}

void Posterize(const TArgs&, TPixelGraphic& image, std::uint64_t, const TOpts&) {
  TPixelGraphic result;
  ::Posterize(result, image);
  image.Assign(&result);
}

}  // namespace filterruns
