#include "imaging/filters/ChannelFilters.h"

std::unique_ptr<TPGFilter> TYCbCrFilter::Clone() const {
  return std::make_unique<TYCbCrFilter>(*this);
}

TRGB TYCbCrFilter::FilterColor(TRGB color) const {
  const TYCbCr c = RGBToYCbCr(RedOf(color) / 255.0, GreenOf(color) / 255.0, BlueOf(color) / 255.0);
  const double y = ReadInterpolated(T1, c.Y * 255.0) / 255.0;
  const double cb = ReadInterpolated(T2, (c.Cb + 0.5) * 255.0) / 255.0 - 0.5;
  const double cr = ReadInterpolated(T3, (c.Cr + 0.5) * 255.0) / 255.0 - 0.5;
  const TRGBf o = YCbCrToRGB(y, cb, cr);
  return RGBColor(ChannelByte(o.R), ChannelByte(o.G), ChannelByte(o.B));
}
