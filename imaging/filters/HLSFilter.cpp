#include "imaging/filters/ChannelFilters.h"

std::unique_ptr<TPGFilter> THLSFilter::Clone() const {
  return std::make_unique<THLSFilter>(*this);
}

TRGB THLSFilter::FilterColor(TRGB color) const {
  const THLS c = RGBToHLS(RedOf(color) / 255.0, GreenOf(color) / 255.0, BlueOf(color) / 255.0);
  double h = c.H != kUndefinedHue ? ReadHueTable(T1, c.H) : kUndefinedHue;
  const double l = ReadInterpolated(T2, c.L * 255.0) / 255.0;
  double s = ReadInterpolated(T3, c.S * 255.0) / 255.0;
  // A grey stays grey whatever the tables hold.
  if (s == 0.0 || c.H == kUndefinedHue) {
    s = 0.0;
    h = kUndefinedHue;
  }
  const TRGBf o = HLSToRGB(h, l, s);
  return RGBColor(ChannelByte(o.R), ChannelByte(o.G), ChannelByte(o.B));
}
