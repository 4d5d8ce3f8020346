// Read access to the source image of a filter run: colours of any pixel format and whole rows
// as blue, green, red bytes. Reads only, so several threads may use one object at once.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "imaging/PGraphic.h"

class TSourceRows {
 public:
  TSourceRows() = default;
  // A copy is detached: a copied filter has no run in progress.
  TSourceRows(const TSourceRows&) {}
  TSourceRows& operator=(const TSourceRows&) {
    Detach();
    return *this;
  }

  // Flushes the image's pending drawing output and remembers its rows and palette.
  void Attach(const TPixelGraphic& image);
  void Detach() { FImage = nullptr; }
  bool Prepared() const { return FImage != nullptr; }
  const TPixelGraphic& Image() const { return *FImage; }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool TrueColor() const { return FFormat == pf24Bit; }

  // Row y of a 24-bit source as stored (rows are kept bottom-up).
  const std::uint8_t* Row24(int y) const {
    return FBits + static_cast<std::size_t>(FHeight - 1 - y) * FRowBytes;
  }
  // Colour of pixel (x, y) inside the image.
  TRGB Color(int x, int y) const;
  // Row y as blue, green, red bytes; `bgr` may be the 24-bit source's own row.
  void ReadRow(int y, std::uint8_t* bgr) const;

 private:
  const TPixelGraphic* FImage = nullptr;
  const std::uint8_t* FBits = nullptr;
  std::size_t FRowBytes = 0;
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FFormat = pf24Bit;
  std::array<TRGB, 256> FTable{};  // colour of each raw value of a palette image
};
