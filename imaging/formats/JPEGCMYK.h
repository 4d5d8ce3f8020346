// JPEG pictures stored as CMYK (or YCCK, which the library turns into CMYK), shown as RGB.
#pragma once

#include <cstdint>

// Converts one row of CMYK samples into blue, green, red: each channel is
// (255 - C) x (255 - K) / 255 rounded. Files with an Adobe marker store the four samples
// inverted (the Adobe applications write them so), where the channel is C x K / 255.
void ConvertJPEGCMYKRow(const std::uint8_t* cmyk, std::uint8_t* bgr, int width, bool inverted);
