// Error-diffusion state of an image while an operation dithers into it (internal).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "imaging/PGraphic.h"

struct TPixelGraphic::DitherState {
  // Accumulators hold 16 times the diffused error; cell x + 1 belongs to pixel x, the outer
  // cells only absorb error that falls off the image.
  struct Cell {
    std::int32_t r, g, b;
  };
  std::vector<Cell> cur, nxt;
  std::array<int, 511> limit{};  // clamp for errors -255..255

  int Limit(int error) const {
    if (error < -255) error = -255;
    if (error > 255) error = 255;
    return limit[static_cast<std::size_t>(error + 255)];
  }
};
