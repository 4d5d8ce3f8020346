#include "imaging/formats/PNMSamples.h"

#include <algorithm>

std::uint8_t PxMRoundedSample(std::uint32_t v, std::uint32_t maxval) {
  const std::uint64_t clamped = std::min(v, maxval);
  return static_cast<std::uint8_t>((clamped * 255 + maxval / 2) / maxval);
}

std::size_t PxMRawRowBytes(int width, int channels, std::uint32_t maxval) {
  const std::size_t bytesPerSample = maxval > 255 ? 2 : 1;
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(channels) * bytesPerSample;
}

void ConvertPxMWideRow(const std::uint8_t* in, std::uint8_t* row, int width, int channels,
                       std::uint32_t maxval) {
  auto sample = [&](int i) {
    const std::uint32_t v = (std::uint32_t{in[2 * i]} << 8) | in[2 * i + 1];
    return PxMRoundedSample(v, maxval);
  };
  if (channels == 1) {
    for (int x = 0; x < width; ++x) row[x] = sample(x);
    return;
  }
  for (int x = 0; x < width; ++x, row += 3) {
    row[2] = sample(3 * x);
    row[1] = sample(3 * x + 1);
    row[0] = sample(3 * x + 2);
  }
}
