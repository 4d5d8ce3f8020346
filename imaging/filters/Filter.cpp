#include "imaging/filters/Filter.h"

void TPGFilter::Prepare(const TPixelGraphic& source) { FSource.Attach(source); }

TRGB TPGFilter::FilterPixel(int, int) const { return 0; }

void TPGFilter::Finish() { FSource.Detach(); }

void TPGFilter::FilterRow(int y, std::uint8_t* bgr) const {
  for (int x = 0; x < FSource.Width(); ++x, bgr += 3) {
    const TRGB c = FilterPixel(x, y);
    bgr[0] = static_cast<std::uint8_t>(BlueOf(c));
    bgr[1] = static_cast<std::uint8_t>(GreenOf(c));
    bgr[2] = static_cast<std::uint8_t>(RedOf(c));
  }
}

TRGB TPGPointFilter::FilterPixel(int x, int y) const {
  return FilterColor(Source().Color(x, y));
}

void TPGPointFilter::FilterRow(int y, std::uint8_t* bgr) const {
  Source().ReadRow(y, bgr);
  MapPixels(bgr, Source().Width());
}

void TPGPointFilter::MapPixels(std::uint8_t* bgr, int count) const {
  for (int i = 0; i < count; ++i, bgr += 3) {
    const TRGB c = FilterColor(RGBColor(bgr[2], bgr[1], bgr[0]));
    bgr[0] = static_cast<std::uint8_t>(BlueOf(c));
    bgr[1] = static_cast<std::uint8_t>(GreenOf(c));
    bgr[2] = static_cast<std::uint8_t>(RedOf(c));
  }
}
