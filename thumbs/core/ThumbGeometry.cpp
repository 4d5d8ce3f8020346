#include "thumbs/core/ThumbGeometry.h"

#include <algorithm>
#include <cstdint>

namespace {

// trunc(part / whole x side), at least 1; whole > 0.
int ScaledSide(int part, int whole, int side) {
  const std::int64_t scaled = std::int64_t{part} * side / whole;
  return static_cast<int>(std::max<std::int64_t>(1, scaled));
}

}  // namespace

TThumbSize SheetThumbSize(int width, int height, int side) {
  if (width < 1 || height < 1 || side < 1) return {};
  if (width > height) return {side, ScaledSide(height, width, side)};
  return {ScaledSide(width, height, side), side};
}

TThumbSize ExplorerThumbSize(int width, int height, int side) {
  if (width < 1 || height < 1 || side < 1) return {};
  if (width < side && height < side) return {width, height};
  return SheetThumbSize(width, height, side);
}
