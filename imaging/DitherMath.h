// Integer helpers of the error diffusion.
#pragma once

#include <array>
#include <cstdint>

// Clamp table for errors -255..255 (entry e + 255) for the limit L and the soft knee flag:
// errors at or above L become L (unless L is 255); with the knee, errors from L/2 to 3L/2
// become e/2 + L/4.
std::array<int, 511> BuildDitherLimitTable(int limit, bool soft);

// An accumulator holds 16 times the error; halves round away from zero.
constexpr int DitherRoundError(std::int32_t v) { return v >= 0 ? (v + 8) >> 4 : -((8 - v) >> 4); }
