#include "view/GIFByteReader.h"

#include <algorithm>
#include <cstring>

bool TGIFByteReader::Read(void* target, std::size_t count) {
  if (count > Left()) return false;
  if (count) std::memcpy(target, FData + FPos, count);
  FPos += count;
  return true;
}

bool TGIFByteReader::ReadByte(std::uint8_t& value) {
  if (FPos >= FSize) return false;
  value = FData[FPos++];
  return true;
}

bool TGIFByteReader::ReadWord(std::uint16_t& value) {
  if (Left() < 2) return false;
  value = static_cast<std::uint16_t>(FData[FPos] | (FData[FPos + 1] << 8));
  FPos += 2;
  return true;
}

std::size_t TGIFByteReader::Skip(std::size_t count) {
  std::size_t n = std::min(count, Left());
  FPos += n;
  return n;
}

void TGIFByteReader::SkipSubBlocks() {
  std::uint8_t length = 0;
  while (ReadByte(length) && length != 0) Skip(length);
}

bool TGIFByteReader::ReadSubBlock(std::uint8_t* block, int& length) {
  length = 0;
  std::uint8_t declared = 0;
  if (!ReadByte(declared) || declared == 0) return false;
  std::size_t n = std::min<std::size_t>(declared, Left());
  if (n) std::memcpy(block, FData + FPos, n);
  FPos += n;
  length = static_cast<int>(n);
  return n > 0;
}
