// Bounded reading of a GIF held in memory: every read checks the bytes left.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class TGIFByteReader {
 public:
  TGIFByteReader(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}

  std::size_t Position() const { return FPos; }
  std::size_t Size() const { return FSize; }
  std::size_t Left() const { return FSize - FPos; }
  bool AtEnd() const { return FPos >= FSize; }

  // False (and nothing consumed) when fewer than `count` bytes are left.
  bool Read(void* target, std::size_t count);
  bool ReadByte(std::uint8_t& value);
  bool ReadWord(std::uint16_t& value);  // little-endian
  // Consumes up to `count` bytes; answers how many were there.
  std::size_t Skip(std::size_t count);
  void Back(std::size_t count) { FPos = count > FPos ? 0 : FPos - count; }
  const std::uint8_t* Current() const { return FData + FPos; }

  // Sub-block chains: a length byte, that many bytes, ... ended by a zero length.
  // Skips the remaining sub-blocks through the terminator (or to the end of the data).
  void SkipSubBlocks();
  // Reads one sub-block into `block` (length 0..255); false at the terminator or when the
  // data ends. A block cut short by the end of the data yields the bytes that are there.
  bool ReadSubBlock(std::uint8_t* block, int& length);

 private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};
