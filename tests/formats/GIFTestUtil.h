// Hand-made GIF files for the reader tests: raw code streams of chosen widths.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/formats/FormatTestUtil.h"

// Packs codes least-significant bit first, each with its own width.
class TCodeWriter {
 public:
  void Put(int code, int bits) {
    FAccumulator |= static_cast<std::uint64_t>(code) << FBits;
    FBits += bits;
    while (FBits >= 8) {
      Bytes.push_back(static_cast<std::uint8_t>(FAccumulator));
      FAccumulator >>= 8;
      FBits -= 8;
    }
  }
  TBytes Finish() {
    if (FBits > 0) Bytes.push_back(static_cast<std::uint8_t>(FAccumulator));
    FBits = 0;
    FAccumulator = 0;
    return Bytes;
  }
  TBytes Bytes;

 private:
  std::uint64_t FAccumulator = 0;
  int FBits = 0;
};

// Splits data into sub-blocks of at most `blockSize` bytes and adds the terminator.
inline TBytes SubBlocks(const TBytes& data, std::size_t blockSize = 255) {
  TBytes out;
  for (std::size_t i = 0; i < data.size(); i += blockSize) {
    const std::size_t n = std::min(blockSize, data.size() - i);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<long>(i),
               data.begin() + static_cast<long>(i + n));
  }
  out.push_back(0);
  return out;
}

struct TGIFFrame {
  int Width = 1, Height = 1;
  int LocalBits = 0;  // 0: no local table
  bool Interlaced = false;
  int MinCodeSize = 2;
  TBytes Data;  // LZW bytes before sub-blocking
};

inline void Put16(TBytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// Table entry i gets (i, 255 - i, i * 3) (times `salt`, for telling tables apart).
inline void PutTable(TBytes& b, int bits, int salt = 1) {
  for (int i = 0; i < (1 << bits); ++i) {
    b.push_back(static_cast<std::uint8_t>(i * salt));
    b.push_back(static_cast<std::uint8_t>(255 - i));
    b.push_back(static_cast<std::uint8_t>(i * 3));
  }
}

inline TBytes MakeGIF(const std::vector<TGIFFrame>& frames, int globalBits, int screenW = 1,
                      int screenH = 1, const std::string& version = "89a") {
  TBytes b = {'G', 'I', 'F'};
  for (const char c : version) b.push_back(static_cast<std::uint8_t>(c));
  Put16(b, screenW);
  Put16(b, screenH);
  b.push_back(globalBits ? static_cast<std::uint8_t>(0x80 | (globalBits - 1)) : 0);
  b.push_back(0);
  b.push_back(0);
  if (globalBits) PutTable(b, globalBits);
  for (const TGIFFrame& f : frames) {
    b.insert(b.end(), {0x21, 0xF9, 4, 0, 0, 0, 0, 0});
    b.push_back(0x2C);
    Put16(b, 0);
    Put16(b, 0);
    Put16(b, f.Width);
    Put16(b, f.Height);
    std::uint8_t packed = f.Interlaced ? 0x40 : 0;
    if (f.LocalBits) packed |= static_cast<std::uint8_t>(0x80 | (f.LocalBits - 1));
    b.push_back(packed);
    if (f.LocalBits) PutTable(b, f.LocalBits, 2);
    b.push_back(static_cast<std::uint8_t>(f.MinCodeSize));
    const TBytes blocks = SubBlocks(f.Data);
    b.insert(b.end(), blocks.begin(), blocks.end());
  }
  b.push_back(0x3B);
  return b;
}

// Palette indexes of a palette image, row by row.
inline std::vector<int> Indexes(const TPixelGraphic& image) {
  std::vector<int> v;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) v.push_back(static_cast<int>(image.Pixel(x, y)));
  return v;
}
