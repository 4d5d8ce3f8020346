#include <lcms2.h>

#include <memory>

#include "imaging/formats/ColorProfile.h"

namespace {

struct ProfileCloser {
  void operator()(void* p) const { cmsCloseProfile(p); }
};
struct TransformDeleter {
  void operator()(void* t) const { cmsDeleteTransform(t); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;
using Transform = std::unique_ptr<void, TransformDeleter>;

// Converts the palette: grey profiles take each entry's grey level.
void ConvertPalette(TPixelGraphic& image, cmsHTRANSFORM transform, bool grey) {
  for (int i = 0; i < image.PaletteCount(); ++i) {
    const TRGB c = image.PaletteColor(i);
    std::uint8_t in[3] = {std::uint8_t(RedOf(c)), std::uint8_t(GreenOf(c)), std::uint8_t(BlueOf(c))};
    if (grey) in[0] = std::uint8_t((RedOf(c) + GreenOf(c) + BlueOf(c)) / 3);
    std::uint8_t out[3];
    cmsDoTransform(transform, in, out, 1);
    image.SetPaletteColor(i, RGBColor(out[0], out[1], out[2]));
  }
}

}  // namespace

bool ConvertToSRGB(TPixelGraphic& image, const TColorProfile& profile) {
  if (image.Empty() || profile.empty()) return false;
  Profile source(cmsOpenProfileFromMem(profile.data(), cmsUInt32Number(profile.size())));
  if (!source) return false;
  const cmsColorSpaceSignature space = cmsGetColorSpace(source.get());
  const bool grey = space == cmsSigGrayData;
  if (space != cmsSigRgbData && !grey) return false;
  const bool palette = image.PixelFormat() != pf24Bit;
  if (grey && !palette) return false;  // true-colour pixels under a grey profile: not ours to guess
  Profile srgb(cmsCreate_sRGBProfile());
  const cmsUInt32Number inFormat = grey ? TYPE_GRAY_8 : (palette ? TYPE_RGB_8 : TYPE_BGR_8);
  const cmsUInt32Number outFormat = palette ? TYPE_RGB_8 : TYPE_BGR_8;
  Transform transform(cmsCreateTransform(source.get(), inFormat, srgb.get(), outFormat,
                                         INTENT_PERCEPTUAL, 0));
  if (!transform) return false;
  if (palette) {
    ConvertPalette(image, transform.get(), grey);
  } else {
    for (int y = 0; y < image.Height(); ++y)
      cmsDoTransform(transform.get(), image.ScanLine(y), image.ScanLine(y),
                     cmsUInt32Number(image.Width()));
  }
  return true;
}
