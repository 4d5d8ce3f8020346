#include "imaging/filters/PointFilters.h"

namespace {

inline int GrayOf(int r, int g, int b, bool weighted) {
  return weighted ? (r * 299 + g * 587 + b * 114) * 3 / 1000 / 3 : (r + g + b) / 3;
}

}  // namespace

std::unique_ptr<TPGFilter> TGrayScaleFilter::Clone() const {
  return std::make_unique<TGrayScaleFilter>(*this);
}

TRGB TGrayScaleFilter::FilterColor(TRGB color) const {
  const int g = GrayOf(RedOf(color), GreenOf(color), BlueOf(color), RGBWeighting);
  return RGBColor(g, g, g);
}

void TGrayScaleFilter::MapPixels(std::uint8_t* bgr, int count) const {
  const bool weighted = RGBWeighting;
  for (int i = 0; i < count; ++i, bgr += 3) {
    const auto g = static_cast<std::uint8_t>(GrayOf(bgr[2], bgr[1], bgr[0], weighted));
    bgr[0] = bgr[1] = bgr[2] = g;
  }
}
