// The channel-table filters: three 256-entry tables acting on the channels of one colour
// space each (RGB, CMY, YCbCr, HLS, HSV). The tables start as the identity and are written by
// whoever configures the filter (see FilterTables.h for the contents the dialogs set).
#pragma once

#include "imaging/filters/ColorSpaces.h"
#include "imaging/filters/Filter.h"

class TXXXFilter : public TPGPointFilter {
 public:
  TXXXFilter();
  TChannelTable T1, T2, T3;
};

// T1..T3 act on red, green, blue.
class TRGBFilter : public TXXXFilter {
 public:
  std::unique_ptr<TPGFilter> Clone() const override;
  TRGB FilterColor(TRGB color) const override;

 protected:
  void MapPixels(std::uint8_t* bgr, int count) const override;
};

// On cyan, magenta, yellow (255 minus each channel).
class TCMYFilter : public TXXXFilter {
 public:
  std::unique_ptr<TPGFilter> Clone() const override;
  TRGB FilterColor(TRGB color) const override;

 protected:
  void MapPixels(std::uint8_t* bgr, int count) const override;
};

// On Y, Cb + 0.5 and Cr + 0.5, read with interpolation.
class TYCbCrFilter : public TXXXFilter {
 public:
  std::unique_ptr<TPGFilter> Clone() const override;
  TRGB FilterColor(TRGB color) const override;
};

// On hue (shifted by 180 degrees), lightness, saturation.
class THLSFilter : public TXXXFilter {
 public:
  std::unique_ptr<TPGFilter> Clone() const override;
  TRGB FilterColor(TRGB color) const override;
};

// On hue (shifted by 180 degrees), saturation, value.
class THSVFilter : public TXXXFilter {
 public:
  std::unique_ptr<TPGFilter> Clone() const override;
  TRGB FilterColor(TRGB color) const override;
};
