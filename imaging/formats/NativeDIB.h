// The transfer bitmap of an acquisition: a packed device-independent bitmap in memory (the
// information header, bit-field masks when the header asks for them, the colour table and the
// pixels), and how it is written as a BMP file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/PGraphic.h"

// The picture as a packed bitmap: 40-byte header, MaxPaletteCount colour entries, bottom-up
// rows padded to 4 bytes.
std::vector<std::uint8_t> PackDIB(const TPixelGraphic& picture);

// Where the parts of a BMP file made from a packed bitmap lie. Sizes are 64-bit; a bitmap
// whose file would not fit the 32-bit size field is refused.
struct TNativeBMPLayout {
  bool Valid = false;
  std::uint32_t HeaderSize = 0;   // biSize
  std::uint32_t MaskBytes = 0;    // bit-field masks after a 40-byte header
  std::uint32_t Colors = 0;       // colour-table entries
  std::uint64_t ImageSize = 0;    // pixel bytes
  std::uint64_t PixelOffset = 0;  // 14 + header + masks + 4 x colours
  std::uint64_t FileSize = 0;     // PixelOffset + ImageSize
  std::uint64_t DIBBytes() const { return PixelOffset - 14 + ImageSize; }
};

inline constexpr std::uint64_t kNativeBMPMaxFileSize = 0xFFFFFFFFu;

// The layout of the packed bitmap of `size` bytes; not Valid when the header is not one this
// program can write or the bitmap is shorter than its header says.
TNativeBMPLayout NativeBMPLayout(const std::uint8_t* dib, std::size_t size);

// Results of WriteNativeToFile.
enum : int {
  kNativeWriteOK = 0,
  kNativeWriteCancelled = -1,
  kNativeWriteNotCreated = -2,
  kNativeWriteNoMemory = -3,
  kNativeWriteFailed = -4,
};

// Writes the 14-byte file header and the bitmap through `write` (which returns false when
// writing fails). 0, kNativeWriteNoMemory or kNativeWriteFailed.
int WriteNativeBMP(const std::uint8_t* dib, std::size_t size,
                   const std::function<bool(const void*, std::size_t)>& write);
// Writes the bitmap as the BMP file `path`; 0 or a negative result above. A file left
// half-written is removed.
int WriteNativeToFile(const std::vector<std::uint8_t>& dib, const std::string& path);
