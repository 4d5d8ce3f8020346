// Sampling taps of a stretched copy along one axis (internal).
//
// Per axis the copy samples directly (one pixel), interpolates between the two nearest pixel
// centres (divisor 2T) or averages the covered area (divisor S), S and T being the source and
// target lengths. All arithmetic is integer and truncating toward zero.
#pragma once

#include <cstdint>

#include "imaging/PGTypes.h"

enum class Sampling { Direct, Interpolate, Area };

struct Tap {
  std::int64_t s0 = 0, s1 = 0;  // first and last source position
  std::int64_t w0 = 0, w1 = 0;  // weights of s0 and s1; positions between weigh `between`
  bool valid = false;
};

struct Axis {
  Sampling kind;
  std::int64_t S, T, O;  // source length, target length, source offset
  std::int64_t extent;    // source image size on this axis
  bool fast;
  std::int64_t divisor;

  Axis(TStretchMode mode, std::int64_t s, std::int64_t t, std::int64_t o, std::int64_t ext)
      : S(s), T(t), O(o), extent(ext), fast(mode == smFast) {
    if ((t < s && mode == smMedium) || (t > s && mode == smPrecise)) {
      kind = Sampling::Interpolate;
      divisor = 2 * t;
    } else if ((t < s && mode == smPrecise) || (t > s && mode == smMedium)) {
      kind = Sampling::Area;
      divisor = s;
    } else {
      kind = Sampling::Direct;
      divisor = 1;
    }
  }

  std::int64_t between() const { return T; }
  bool Inside(std::int64_t s) const { return s >= 0 && s < extent; }

  Tap TapFor(std::int64_t u) const {
    Tap t;
    switch (kind) {
      case Sampling::Interpolate: {
        const std::int64_t c = S * (2 * u + 1);
        t.s0 = O + (c - T) / (2 * T);
        t.s1 = O + (c + T) / (2 * T);
        t.valid = Inside(t.s0) && Inside(t.s1);
        if (!t.valid && T > S && Inside(t.s0) != Inside(t.s1) &&
            (t.s0 == -1 || t.s1 == extent)) {
          // Enlarged edges: the taps straddle the image border and fold onto its last pixel.
          t.s0 = t.s1 = Inside(t.s0) ? t.s0 : t.s1;
          t.valid = true;
        }
        if (T * (2 * (t.s0 - O) + 1) == c || t.s0 == t.s1) {
          t.s1 = t.s0;
          t.w0 = 2 * T;
        } else {
          t.w0 = 2 * T + T * (2 * (t.s0 - O) + 1) - c;
          t.w1 = 2 * T + c - T * (2 * (t.s1 - O) + 1);
        }
        break;
      }
      case Sampling::Area: {
        t.s0 = O + S * u / T;
        const std::int64_t e = S * (u + 1);
        t.s1 = O + e / T - (e % T == 0 ? 1 : 0);
        t.valid = Inside(t.s0) && Inside(t.s1);
        if (t.s0 == t.s1) {
          t.w0 = S;
        } else {
          t.w0 = T * (t.s0 - O + 1) - S * u;
          t.w1 = e - T * (t.s1 - O);
        }
        break;
      }
      case Sampling::Direct:
        t.s0 = t.s1 = fast ? O + S * u / T : O + u;
        t.w0 = 1;
        t.valid = Inside(t.s0);
        break;
    }
    return t;
  }

  std::int64_t WeightAt(const Tap& t, std::int64_t s) const {
    if (s == t.s0) return t.w0;
    if (s == t.s1) return t.w1;
    return between();
  }
};
