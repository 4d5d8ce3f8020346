#include "imaging/filters/FastBMP.h"

#include <cstring>

#include "imaging/PGMessageIds.h"
#include "imaging/filters/SourceRows.h"

TFastBMP::TFastBMP(int width, int height) { Resize(width, height); }

TFastBMP::TFastBMP(const TPixelGraphic& image) {
  if (image.Empty()) return;
  Resize(image.Width(), image.Height());
  TSourceRows rows;
  rows.Attach(image);
  for (int y = 0; y < FHeight; ++y) rows.ReadRow(y, Row(y));
}

TFastBMP::TFastBMP(const TFastBMP& other)
    : FWidth(other.FWidth), FHeight(other.FHeight), FStride(other.FStride), FBits(other.FBits) {
  BuildRows();
}

TFastBMP& TFastBMP::operator=(const TFastBMP& other) {
  if (this == &other) return *this;
  FWidth = other.FWidth;
  FHeight = other.FHeight;
  FStride = other.FStride;
  FBits = other.FBits;
  BuildRows();
  return *this;
}

void TFastBMP::Resize(int width, int height) {
  if (width < 0) PGRaise<EPGInvalidSize>(pgmNegativeWidth);
  if (height < 0) PGRaise<EPGInvalidSize>(pgmNegativeHeight);
  FWidth = width;
  FHeight = height;
  FStride = static_cast<std::size_t>(width) * 3 + static_cast<std::size_t>(width % 4);
  FBits.assign(FStride * static_cast<std::size_t>(height), 0);
  BuildRows();
}

void TFastBMP::BuildRows() {
  FRows.resize(static_cast<std::size_t>(FHeight));
  for (int y = 0; y < FHeight; ++y)
    FRows[static_cast<std::size_t>(y)] = FBits.data() + FStride * static_cast<std::size_t>(y);
}

void TFastBMP::AssignTo(TPixelGraphic& image) const {
  TPGUpdateScope update(image);
  image.SetSize(FWidth, FHeight, pf24Bit);
  if (image.Empty()) return;
  for (int y = 0; y < FHeight; ++y)
    std::memcpy(image.ScanLine(y), Row(y), static_cast<std::size_t>(FWidth) * 3);
}
