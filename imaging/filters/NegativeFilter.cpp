#include "imaging/filters/PointFilters.h"

std::unique_ptr<TPGFilter> TNegativeFilter::Clone() const {
  return std::make_unique<TNegativeFilter>(*this);
}

TRGB TNegativeFilter::FilterColor(TRGB color) const { return (color ^ 0xFFFFFFu) & 0xFFFFFFu; }

void TNegativeFilter::MapPixels(std::uint8_t* bgr, int count) const {
  const std::size_t n = static_cast<std::size_t>(count) * 3;
  for (std::size_t i = 0; i < n; ++i) bgr[i] = static_cast<std::uint8_t>(~bgr[i]);
}
