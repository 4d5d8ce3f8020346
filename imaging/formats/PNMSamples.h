// Raw anymap samples of two bytes (a maximum value above 255), reduced to 8 bits.
#pragma once

#include <cstddef>
#include <cstdint>

// v (clamped to maxval) scaled to 0..255, rounded to nearest: (v x 255 + maxval / 2) div maxval.
std::uint8_t PxMRoundedSample(std::uint32_t v, std::uint32_t maxval);

// Bytes of one raw row: channels samples per pixel, two bytes each above maxval 255.
std::size_t PxMRawRowBytes(int width, int channels, std::uint32_t maxval);

// Converts one raw row of big-endian 16-bit samples into image storage: grey levels
// (channels 1) or blue, green, red (channels 3).
void ConvertPxMWideRow(const std::uint8_t* in, std::uint8_t* row, int width, int channels,
                       std::uint32_t maxval);
