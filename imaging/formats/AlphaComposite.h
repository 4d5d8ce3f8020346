// Blending of partly transparent pixels onto a background colour, as the PNG library does for
// the PNG reader: out = (fg x alpha + bg x (255 - alpha)) / 255, rounded to nearest.
#pragma once

#include <cstdint>

#include "imaging/PGTypes.h"

inline std::uint8_t PGCompositeChannel(unsigned fg, unsigned alpha, unsigned bg) {
  const unsigned t = fg * alpha + bg * (255 - alpha) + 128;
  return static_cast<std::uint8_t>((t + (t >> 8)) >> 8);
}

// Writes the blend of (red, green, blue, alpha) onto `background` as blue, green, red at out.
inline void PGCompositeBGR(std::uint8_t* out, unsigned red, unsigned green, unsigned blue,
                           unsigned alpha, TRGB background) {
  out[0] = PGCompositeChannel(blue, alpha, BlueOf(background));
  out[1] = PGCompositeChannel(green, alpha, GreenOf(background));
  out[2] = PGCompositeChannel(red, alpha, RedOf(background));
}

// Scales an n-bit value (1 <= n <= 32) to 8 bits by repeating its bits below themselves, so
// that the largest value becomes 255; values of 8 bits or more keep their top 8 bits.
inline unsigned PGWidenBits(std::uint32_t value, int bits) {
  if (bits <= 0) return 0;
  if (bits >= 8) return (value >> (bits - 8)) & 0xFFu;
  unsigned v = value << (8 - bits);
  for (int filled = bits; filled < 8; filled += bits) v |= v >> bits;
  return v & 0xFFu;
}
