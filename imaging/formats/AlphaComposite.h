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

// Blends a row of 8-bit red, green, blue, alpha pixels onto `background`, written as blue,
// green, red. Unassociated colours blend as above; associated (premultiplied) colours already
// hold their share, so only the background's share is added.
inline void PGCompositeRGBARow(bool associated, const std::uint8_t* in, std::uint8_t* out,
                               int width, TRGB background) {
  const unsigned bg[3] = {static_cast<unsigned>(BlueOf(background)),
                          static_cast<unsigned>(GreenOf(background)),
                          static_cast<unsigned>(RedOf(background))};
  for (int x = 0; x < width; ++x, in += 4, out += 3) {
    const unsigned alpha = in[3];
    if (!associated) {
      PGCompositeBGR(out, in[0], in[1], in[2], alpha, background);
      continue;
    }
    for (int c = 0; c < 3; ++c) {
      const unsigned v = in[2 - c] + unsigned{PGCompositeChannel(0, alpha, bg[c])};
      out[c] = static_cast<std::uint8_t>(v > 255 ? 255 : v);
    }
  }
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
