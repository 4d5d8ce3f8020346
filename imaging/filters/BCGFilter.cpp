#include <cmath>

#include "imaging/filters/ColorSpaces.h"
#include "imaging/filters/PointFilters.h"

std::unique_ptr<TPGFilter> TBCGFilter::Clone() const {
  return std::make_unique<TBCGFilter>(*this);
}

void TBCGFilter::BuildTable() {
  // Extended precision, as the table is small.
  const long double gamma = Gamma, contrast = Contrast;
  const long double lift = static_cast<long double>(Brightness) * 255.0L * 0.01L;
  for (int i = 0; i < 256; ++i) {
    const long double base = static_cast<long double>(i) / 255.0L;
    long double power;
    if (gamma == 0.0L)
      power = 1.0L;
    else if (base == 0.0L)
      power = 0.0L;
    else
      power = std::pow(base, gamma);
    long double v = 255.0L * power;
    v = (v - 127.5L) * contrast + 127.5L;
    v = v + lift;
    if (!(v > -1.0L)) v = -1.0L;  // also NaN
    if (v > 256.0L) v = 256.0L;
    const long r = std::lrint(v);  // the default rounding mode: halves to even
    FTable[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(r < 0 ? 0 : (r > 255 ? 255 : r));
  }
}

void TBCGFilter::Prepare(const TPixelGraphic& source) {
  TPGPointFilter::Prepare(source);
  BuildTable();
}

namespace {

// Only the luminance goes through the table.
inline void MapLuminance(const TChannelTable& t, int& r, int& g, int& b) {
  const TYCbCr c = RGBToYCbCr(r / 255.0, g / 255.0, b / 255.0);
  const double y = ReadInterpolated(t, c.Y * 255.0) / 255.0;
  const TRGBf o = YCbCrToRGB(y, c.Cb, c.Cr);
  r = ChannelByte(o.R);
  g = ChannelByte(o.G);
  b = ChannelByte(o.B);
}

}  // namespace

TRGB TBCGFilter::FilterColor(TRGB color) const {
  int r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
  if (!UseY) return RGBColor(FTable[r], FTable[g], FTable[b]);
  MapLuminance(FTable, r, g, b);
  return RGBColor(r, g, b);
}

void TBCGFilter::MapPixels(std::uint8_t* bgr, int count) const {
  if (!UseY) {
    const std::size_t n = static_cast<std::size_t>(count) * 3;
    for (std::size_t i = 0; i < n; ++i) bgr[i] = FTable[bgr[i]];
    return;
  }
  for (int i = 0; i < count; ++i, bgr += 3) {
    int r = bgr[2], g = bgr[1], b = bgr[0];
    MapLuminance(FTable, r, g, b);
    bgr[0] = static_cast<std::uint8_t>(b);
    bgr[1] = static_cast<std::uint8_t>(g);
    bgr[2] = static_cast<std::uint8_t>(r);
  }
}
