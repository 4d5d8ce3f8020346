// The point colour filters: negative, greyscale, brightness/contrast/gamma.
#pragma once

#include <array>
#include <cstdint>

#include "imaging/filters/Filter.h"

// (R, G, B) -> (255 - R, 255 - G, 255 - B).
class TNegativeFilter : public TPGPointFilter {
 public:
  std::unique_ptr<TPGFilter> Clone() const override;
  TRGB FilterColor(TRGB color) const override;

 protected:
  void MapPixels(std::uint8_t* bgr, int count) const override;
};

// Grey of the weighted (0.299, 0.587, 0.114) or plain mean of the channels.
class TGrayScaleFilter : public TPGPointFilter {
 public:
  std::unique_ptr<TPGFilter> Clone() const override;
  TRGB FilterColor(TRGB color) const override;
  bool RGBWeighting = true;

 protected:
  void MapPixels(std::uint8_t* bgr, int count) const override;
};

// Brightness in percent of 255, contrast and gamma as factors, through one 256-entry table
// rebuilt by every Prepare; with UseY only the luminance is mapped.
class TBCGFilter : public TPGPointFilter {
 public:
  std::unique_ptr<TPGFilter> Clone() const override;
  void Prepare(const TPixelGraphic& source) override;
  TRGB FilterColor(TRGB color) const override;

  bool UseY = false;
  std::int32_t Brightness = 1;
  double Contrast = 1.0;
  double Gamma = 1.0;

  // Rebuilds the table from the current settings (Prepare does it too).
  void BuildTable();
  const std::array<std::uint8_t, 256>& Table() const { return FTable; }

 protected:
  void MapPixels(std::uint8_t* bgr, int count) const override;

 private:
  std::array<std::uint8_t, 256> FTable{};
};
