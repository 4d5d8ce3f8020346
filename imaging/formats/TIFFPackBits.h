// PackBits run-length coding of TIFF rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/formats/PGStream.h"

// Appends the PackBits code of one row to out. Runs of two equal bytes next to literal bytes
// are taken into the literal, which codes them one byte shorter.
void PackBitsEncodeRow(const std::uint8_t* row, std::size_t length, std::vector<std::uint8_t>& out);

// Decodes the rows of a strip through a 4096-byte window on the stream.
class TPackBitsDecoder {
 public:
  explicit TPackBitsDecoder(TPGStream& stream) : FStream(stream) {}
  // Starts decoding at an absolute stream position.
  void Start(std::int64_t position);
  // Produces exactly `length` bytes of row y. A run or copy that would overrun the row raises
  // "TIFF (PackBits): Invalid count of bytes in row y"; data ending early raises too.
  void DecodeRow(std::uint8_t* out, std::size_t length, int y);

 private:
  std::uint8_t NextByte();

  TPGStream& FStream;
  std::int64_t FPosition = 0;  // stream position of the window's first byte
  std::uint8_t FWindow[4096];
  std::size_t FFill = 0;
  std::size_t FNext = 0;
};
