#include "imaging/filters/ChannelFilters.h"

std::unique_ptr<TPGFilter> THSVFilter::Clone() const {
  return std::make_unique<THSVFilter>(*this);
}

TRGB THSVFilter::FilterColor(TRGB color) const {
  const THSV c = RGBToHSV(RedOf(color) / 255.0, GreenOf(color) / 255.0, BlueOf(color) / 255.0);
  double h = c.H != kUndefinedHue ? ReadHueTable(T1, c.H) : kUndefinedHue;
  double s = ReadInterpolated(T2, c.S * 255.0) / 255.0;
  if (s == 0.0 || c.H == kUndefinedHue) {
    s = 0.0;
    h = kUndefinedHue;
  }
  const double v = ReadInterpolated(T3, c.V * 255.0) / 255.0;
  const TRGBf o = HSVToRGB(h, s, v);
  return RGBColor(ChannelByte(o.R), ChannelByte(o.G), ChannelByte(o.B));
}
