// The bitmap headers as read from a file, checked for what the reader supports.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/PGErrors.h"
#include "imaging/PGMessageIds.h"

struct TBMPHeader {
  bool Core = false;
  std::int32_t Width = 0;
  std::int32_t Height = 0;  // negative: rows stored top-down
  int BitCount = 0;
  std::uint32_t Compression = 0;  // 0 RGB, 1 RLE8, 2 RLE4, 3 bit fields
  std::uint32_t ImageSize = 0;
  std::uint32_t ColorsUsed = 0;
};

[[noreturn]] inline void RaiseBMP(TPGMessageId message, const std::string& s1 = {}) {
  throw EPGBMPFileFormatReader("BMP: " + PGMessage(message, s1));
}

// Parse the 12-byte core header / the 40-byte information header; raise on unsupported values.
TBMPHeader ParseBMPCoreHeader(const std::uint8_t* h);
TBMPHeader ParseBMPInfoHeader(const std::uint8_t* h);
