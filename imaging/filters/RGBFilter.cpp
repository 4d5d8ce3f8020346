#include "imaging/filters/ChannelFilters.h"

TXXXFilter::TXXXFilter() {
  for (int i = 0; i < 256; ++i)
    T1[static_cast<std::size_t>(i)] = T2[static_cast<std::size_t>(i)] =
        T3[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
}

std::unique_ptr<TPGFilter> TRGBFilter::Clone() const {
  return std::make_unique<TRGBFilter>(*this);
}

TRGB TRGBFilter::FilterColor(TRGB color) const {
  return RGBColor(T1[RedOf(color)], T2[GreenOf(color)], T3[BlueOf(color)]);
}

void TRGBFilter::MapPixels(std::uint8_t* bgr, int count) const {
  for (int i = 0; i < count; ++i, bgr += 3) {
    bgr[0] = T3[bgr[0]];
    bgr[1] = T2[bgr[1]];
    bgr[2] = T1[bgr[2]];
  }
}
