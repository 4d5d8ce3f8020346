// TFastBMP: a plain 24-bit picture with top-down rows for the fast effects. Each row holds
// Width pixels of blue, green, red bytes followed by Width mod 4 bytes of padding; a row
// table points at every row, row 0 first. The Qt layer draws it 1:1 by wrapping the bits.
//
// Every effect below does nothing on an empty picture. Effects that run long take an
// optional progress callback, called after each row with (row, last row); returning true
// stops the effect after that row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "imaging/PGraphic.h"
#include "imaging/filters/FxRandom.h"

using TFxProgress = std::function<bool(int row, int lastRow)>;

class TFastBMP {
 public:
  TFastBMP() = default;
  // A black picture of the given size.
  TFastBMP(int width, int height);
  // A copy of an image of any pixel format, converted to 24 bits.
  explicit TFastBMP(const TPixelGraphic& image);
  TFastBMP(const TFastBMP& other);
  TFastBMP& operator=(const TFastBMP& other);
  TFastBMP(TFastBMP&&) noexcept = default;
  TFastBMP& operator=(TFastBMP&&) noexcept = default;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Padding() const { return FWidth % 4; }
  std::size_t Stride() const { return FStride; }
  std::size_t Size() const { return FBits.size(); }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  std::uint8_t* Bits() { return FBits.data(); }
  const std::uint8_t* Bits() const { return FBits.data(); }
  std::uint8_t* Row(int y) { return FRows[static_cast<std::size_t>(y)]; }
  const std::uint8_t* Row(int y) const { return FRows[static_cast<std::size_t>(y)]; }

  // Makes a black picture of the given size.
  void Resize(int width, int height);
  // The image becomes a 24-bit copy of this picture.
  void AssignTo(TPixelGraphic& image) const;

  // Every channel of every pixel moves by Random(amount) - amount div 2, drawn per channel.
  bool AddColorNoise(int amount, TFxRandom& random, const TFxProgress& progress = {});
  // One draw per pixel for all three channels, so grey stays grey.
  bool AddMonoNoise(int amount, TFxRandom& random, const TFxProgress& progress = {});
  // Every pixel of dest (made this picture's size) takes a pixel of this picture scattered by
  // up to `amount` pixels.
  bool SprayInto(TFastBMP& dest, int amount, TFxRandom& random,
                 const TFxProgress& progress = {}) const;
  // Relief: every channel becomes ((255 - partner) + itself) div 2, the partner one row down
  // and one column right.
  void Emboss();
  // Blocks of blockWidth x blockHeight from the top-left corner, each filled with the colour
  // of one sample pixel inside it; nothing unless both are above 0.
  void Mosaic(int blockWidth, int blockHeight);

 private:
  void BuildRows();

  int FWidth = 0;
  int FHeight = 0;
  std::size_t FStride = 0;
  std::vector<std::uint8_t> FBits;
  std::vector<std::uint8_t*> FRows;
};

// Dest (made source's size) shows source through a lens at the centre: with amount 1 the
// centre is magnified two times, the circle of radius Width / 2 stays, the rim is compressed.
// Pixels on or beyond the lens rim (distance Width x amount, reached only on pictures much
// taller than wide) keep the source's colour.
bool Fisheye(const TFastBMP& source, TFastBMP& dest, float amount,
             const TFxProgress& progress = {});
// Dest (made source's size) shows source turned around its centre: a quarter turn at the
// centre, decreasing by 1 / twist radian per pixel of distance. Twist 0 copies the source.
bool Swirl(const TFastBMP& source, TFastBMP& dest, int twist, const TFxProgress& progress = {});
