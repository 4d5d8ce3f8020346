// Basic value types shared by the whole imaging library.
#pragma once

#include <atomic>
#include <cstdint>

// A colour laid out 0x00BBGGRR: red in the low byte, then green, then blue.
using TRGB = std::uint32_t;

constexpr TRGB RGBColor(int r, int g, int b) {
  return static_cast<TRGB>(r & 0xFF) | (static_cast<TRGB>(g & 0xFF) << 8) |
         (static_cast<TRGB>(b & 0xFF) << 16);
}
constexpr int RedOf(TRGB c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(TRGB c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(TRGB c) { return static_cast<int>((c >> 16) & 0xFF); }

enum TPixelFormat : std::uint8_t { pf1Bit, pf4Bit, pf8Bit, pf24Bit };

enum TPaletteIdent : std::uint8_t {
  pNone,
  pTrueColor,
  pUnknown,
  pBlackWhite,
  pSysGray4,
  pSys16,
  pGray4,
  pGray16,
  pGray236,
  pGray256,
  pSpecial125,
  pSpecial216,
  pSpecial252,
  pOptimized252Sys16,
  pSource
};

enum TStretchMode : std::uint8_t { smFast, smMedium, smPrecise };

enum TPGWarningAction : std::uint8_t { pgwaIgnore, pgwaOKBox, pgwaOKCancelBox, pgwaRaise };

// Bits per pixel of a format: 1, 4, 8 or 24.
constexpr int BitCountOf(TPixelFormat f) {
  switch (f) {
    case pf1Bit: return 1;
    case pf4Bit: return 4;
    case pf8Bit: return 8;
    default: return 24;
  }
}

// Palette entries a format can hold: 2, 16, 256, or 0 for true colour.
constexpr int MaxPaletteCountOf(TPixelFormat f) {
  switch (f) {
    case pf1Bit: return 2;
    case pf4Bit: return 16;
    case pf8Bit: return 256;
    default: return 0;
  }
}

// Converts a bit count (1, 4, 8, 24) to its format; raises EPGInvalidBitCountNum otherwise.
TPixelFormat PixelFormatFromBitCount(int bits);

// Gamma of the screen; the default gamma of every new image. Atomic because images are made on
// worker threads while the settings may change; loads and saves use the value captured in
// their format context (imaging/formats/FormatContext.h).
extern std::atomic<double> ScreenGamma;
