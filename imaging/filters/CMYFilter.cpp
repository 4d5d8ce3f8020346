#include "imaging/filters/ChannelFilters.h"

std::unique_ptr<TPGFilter> TCMYFilter::Clone() const {
  return std::make_unique<TCMYFilter>(*this);
}

TRGB TCMYFilter::FilterColor(TRGB color) const {
  return RGBColor(255 - T1[255 - RedOf(color)], 255 - T2[255 - GreenOf(color)],
                  255 - T3[255 - BlueOf(color)]);
}

void TCMYFilter::MapPixels(std::uint8_t* bgr, int count) const {
  for (int i = 0; i < count; ++i, bgr += 3) {
    bgr[0] = static_cast<std::uint8_t>(255 - T3[255 - bgr[0]]);
    bgr[1] = static_cast<std::uint8_t>(255 - T2[255 - bgr[1]]);
    bgr[2] = static_cast<std::uint8_t>(255 - T1[255 - bgr[2]]);
  }
}
