// Variable-length-code LZW compression of palette indexes into GIF image data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TGIFLzwEncoder {
 public:
  // Appends the minimum-code-size byte, the compressed data in sub-blocks of at most 255
  // bytes and the zero-length terminator for `count` indexes of `tableBits` bits each.
  static void Encode(const std::uint8_t* indexes, std::size_t count, int tableBits,
                     std::vector<std::uint8_t>& out);

 private:
  static constexpr int kHashSize = 5119;
  static constexpr int kMaxCode = 4096;

  explicit TGIFLzwEncoder(std::vector<std::uint8_t>& out) : FOut(out) {}
  void Run(const std::uint8_t* indexes, std::size_t count, int tableBits);
  void ClearHash();
  void Emit(int code);
  void FlushPacket();

  std::vector<std::uint8_t>& FOut;
  int FInitBits = 0;
  int FCodeSize = 0;
  int FClear = 0;
  int FEnd = 0;
  int FNext = 0;
  int FLargest = 0;
  std::uint32_t FAccumulator = 0;
  int FBitCount = 0;
  std::uint8_t FPacket[255];
  int FPacketSize = 0;
  std::int32_t FKeys[kHashSize];
  std::uint16_t FCodes[kHashSize];
};
