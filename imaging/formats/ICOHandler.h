// tIconHandler: the icon directory and one icon image (palette, colour bitmap, mask) in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/PGraphic.h"
#include "imaging/formats/PGStream.h"

class tIconHandler {
 public:
  struct TEntry {
    std::uint32_t ByteCount = 0;
    std::uint32_t Offset = 0;  // from the start of the icon data
  };

  // Reads the directory at the stream's position (which is kept). Valid: reserved 0, type
  // 1 or 2, a non-zero count, and every entry's data inside the file. Count and Type are 0
  // otherwise.
  void ValidateDirectory(TPGStream& stream);
  int Count() const { return FCount; }
  int Type() const { return FType; }
  const TEntry& Entry(int i) const { return FEntries[static_cast<std::size_t>(i)]; }

  // True when entry i holds PNG data rather than a bitmap.
  bool IsPNGEntry(TPGStream& stream, int i);
  // The entry's bytes (for PNG entries).
  std::vector<std::uint8_t> EntryBytes(TPGStream& stream, int i);

  // Width, height and bit count from entry i's bitmap header (false when it cannot be read).
  bool ReadBitmapHeader(TPGStream& stream, int i, int& width, int& height, int& bitCount);

  // Loads bitmap entry i; false when the reader cannot take it. Palette entries (1, 4, 8 bits,
  // colour table of the header's colours-used or 2 to the bits) need sides of 8..64 and a byte
  // count of exactly what the image needs; 24 and 32-bit entries sides of 1..256 and at least
  // their colour bitmap (a missing or cut mask masks nothing).
  bool LoadImage(TPGStream& stream, int i);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int BitCount() const { return FBitCount; }
  // y counts from the top.
  bool Masked(int x, int y) const;
  TRGB Color(int x, int y) const;
  // A 32-bit entry whose fourth bytes are not all 0 carries alpha.
  bool HasAlpha() const { return FHasAlpha; }
  std::uint8_t Alpha(int x, int y) const;
  void Release();

  static constexpr TRGB kTransparentColor = 0xFFFFFF;

 private:
  bool ReadAt(TPGStream& stream, std::uint64_t offset, void* buffer, std::size_t n);

  std::int64_t FBase = 0;
  std::int64_t FFileSize = 0;
  int FCount = 0;
  int FType = 0;
  std::vector<TEntry> FEntries;

  int FWidth = 0, FHeight = 0, FBitCount = 0;
  std::uint32_t FHeaderColors = 0;  // colours used, from the last bitmap header read
  bool FHasAlpha = false;
  std::vector<TRGB> FColors;
  std::vector<std::uint8_t> FBitmap;
  std::vector<std::uint8_t> FMask;
  std::size_t FColorRow = 0, FMaskRow = 0;
};
