// Writes small GIF files for the tests: a real LZW encoder, frames with any descriptor,
// graphic control, colour tables, interlace and a loop extension.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace giftest {

using Bytes = std::vector<std::uint8_t>;

// LZW codes for `pixels` (values below 2^minCodeSize) as GIF data sub-blocks with terminator.
inline Bytes LzwEncode(const std::vector<std::uint8_t>& pixels, int minCodeSize) {
  Bytes codes;
  std::uint32_t acc = 0;
  int bits = 0;
  const int clear = 1 << minCodeSize, end = clear + 1;
  int size = minCodeSize + 1, next = clear + 2;
  auto put = [&](int code) {
    acc |= std::uint32_t(code) << bits;
    bits += size;
    while (bits >= 8) {
      codes.push_back(std::uint8_t(acc & 0xFF));
      acc >>= 8;
      bits -= 8;
    }
  };
  std::map<std::pair<int, int>, int> table;
  put(clear);
  int w = -1;
  for (std::uint8_t k : pixels) {
    if (w < 0) {
      w = k;
      continue;
    }
    auto it = table.find({w, k});
    if (it != table.end()) {
      w = it->second;
      continue;
    }
    put(w);
    table[{w, k}] = next++;
    if (next > (1 << size) && size < 12) ++size;
    if (next >= 4000) {
      put(clear);
      table.clear();
      size = minCodeSize + 1;
      next = clear + 2;
    }
    w = k;
  }
  if (w >= 0) put(w);
  put(end);
  if (bits > 0) codes.push_back(std::uint8_t(acc & 0xFF));
  Bytes blocks;
  for (std::size_t i = 0; i < codes.size(); i += 255) {
    const std::size_t n = std::min<std::size_t>(255, codes.size() - i);
    blocks.push_back(std::uint8_t(n));
    blocks.insert(blocks.end(), codes.begin() + i, codes.begin() + i + n);
  }
  blocks.push_back(0);
  return blocks;
}

struct Frame {
  int Left = 0, Top = 0, Width = 1, Height = 1;
  std::vector<std::uint8_t> Pixels;  // rows top first
  bool Control = true;               // write a graphic control extension
  int Disposal = 0;
  int Delay = 0;  // hundredths of a second
  bool Transparent = false;
  int TransparentIndex = 0;
  bool Interlaced = false;
  std::vector<std::uint32_t> LocalPalette;  // 0xRRGGBB; empty: global table
  int MinCodeSize = 0;                      // 0: from the colour count (at least 2)
  std::string Comment;
};

struct File {
  bool Version89a = true;
  int Width = 1, Height = 1;
  std::vector<std::uint32_t> GlobalPalette;  // 0xRRGGBB; empty: no global table
  int LoopCount = -1;                        // -1: no loop extension
  std::vector<Frame> Frames;
  bool Trailer = true;
};

inline void Word(Bytes& b, int v) {
  b.push_back(std::uint8_t(v & 0xFF));
  b.push_back(std::uint8_t((v >> 8) & 0xFF));
}

inline int TableBits(std::size_t count) {
  int bits = 1;
  while ((std::size_t(1) << bits) < count) ++bits;
  return bits;
}

inline void Table(Bytes& b, const std::vector<std::uint32_t>& colors, int bits) {
  for (int i = 0; i < (1 << bits); ++i) {
    const std::uint32_t c = i < int(colors.size()) ? colors[i] : 0;
    b.push_back(std::uint8_t(c >> 16));
    b.push_back(std::uint8_t(c >> 8));
    b.push_back(std::uint8_t(c));
  }
}

inline std::vector<std::uint8_t> InterlaceOrder(const Frame& f) {
  std::vector<std::uint8_t> out;
  const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = start[pass]; y < f.Height; y += step[pass])
      out.insert(out.end(), f.Pixels.begin() + std::size_t(y) * f.Width,
                 f.Pixels.begin() + std::size_t(y + 1) * f.Width);
  return out;
}

inline Bytes Build(const File& file) {
  Bytes b = {'G', 'I', 'F', '8', std::uint8_t(file.Version89a ? '9' : '7'), 'a'};
  Word(b, file.Width);
  Word(b, file.Height);
  const int globalBits = file.GlobalPalette.empty() ? 0 : TableBits(file.GlobalPalette.size());
  b.push_back(std::uint8_t(file.GlobalPalette.empty() ? 0 : 0x80 | (globalBits - 1)));
  b.push_back(0);
  b.push_back(0);
  if (globalBits) Table(b, file.GlobalPalette, globalBits);
  if (file.LoopCount >= 0) {
    const std::string id = "NETSCAPE2.0";
    b.push_back(0x21);
    b.push_back(0xFF);
    b.push_back(11);
    b.insert(b.end(), id.begin(), id.end());
    b.push_back(3);
    b.push_back(1);
    Word(b, file.LoopCount);
    b.push_back(0);
  }
  for (const Frame& f : file.Frames) {
    if (!f.Comment.empty()) {
      b.push_back(0x21);
      b.push_back(0xFE);
      b.push_back(std::uint8_t(f.Comment.size()));
      b.insert(b.end(), f.Comment.begin(), f.Comment.end());
      b.push_back(0);
    }
    if (f.Control) {
      b.push_back(0x21);
      b.push_back(0xF9);
      b.push_back(4);
      b.push_back(std::uint8_t((f.Disposal << 2) | (f.Transparent ? 1 : 0)));
      Word(b, f.Delay);
      b.push_back(std::uint8_t(f.TransparentIndex));
      b.push_back(0);
    }
    b.push_back(0x2C);
    Word(b, f.Left);
    Word(b, f.Top);
    Word(b, f.Width);
    Word(b, f.Height);
    const int localBits = f.LocalPalette.empty() ? 0 : TableBits(f.LocalPalette.size());
    b.push_back(std::uint8_t((localBits ? 0x80 | (localBits - 1) : 0) | (f.Interlaced ? 0x40 : 0)));
    if (localBits) Table(b, f.LocalPalette, localBits);
    int mcs = f.MinCodeSize;
    if (mcs == 0) mcs = std::max(2, localBits ? localBits : globalBits);
    b.push_back(std::uint8_t(mcs));
    const Bytes data = LzwEncode(f.Interlaced ? InterlaceOrder(f) : f.Pixels, mcs);
    b.insert(b.end(), data.begin(), data.end());
  }
  if (file.Trailer) b.push_back(0x3B);
  return b;
}

// A frame filled with one index.
inline Frame Solid(int left, int top, int width, int height, std::uint8_t index) {
  Frame f;
  f.Left = left;
  f.Top = top;
  f.Width = width;
  f.Height = height;
  f.Pixels.assign(std::size_t(width) * height, index);
  return f;
}

}  // namespace giftest
