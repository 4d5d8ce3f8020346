// The bitmap headers as read from a file, checked for what the reader supports.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/PGErrors.h"
#include "imaging/PGMessageIds.h"
#include "imaging/formats/PGStream.h"

struct TBMPHeader {
  bool Core = false;
  std::int32_t Width = 0;
  std::int32_t Height = 0;  // negative: rows stored top-down
  int BitCount = 0;
  std::uint32_t Compression = 0;  // 0 RGB, 1 RLE8, 2 RLE4, 3 bit fields
  std::uint32_t ImageSize = 0;
  std::uint32_t ColorsUsed = 0;
  std::uint32_t HeaderSize = 40;
  bool OS2 = false;            // an OS/2 2.x header (16 or 64 bytes)
  bool MasksInHeader = false;  // bit-field masks held by the header (52 bytes and more)
  std::uint32_t Masks[4] = {};  // red, green, blue, alpha
};

[[noreturn]] inline void RaiseBMP(TPGMessageId message, const std::string& s1 = {}) {
  throw EPGBMPFileFormatReader("BMP: " + PGMessage(message, s1));
}

// Parse the 12-byte core header / the 40-byte information header; raise on unsupported values.
TBMPHeader ParseBMPCoreHeader(const std::uint8_t* h);
TBMPHeader ParseBMPInfoHeader(const std::uint8_t* h);

// The larger headers: OS/2 2.x (16 and 64 bytes) and the Windows headers of 52, 56, 108 and
// 124 bytes (version 2 to 5), whose first 40 bytes have the information header's layout.
bool IsBMPExtendedHeaderSize(std::uint32_t size);
// Reads an information header of any supported size at the stream position (a size that is
// not one of the larger headers is read as 40 bytes) and moves to its end.
TBMPHeader ReadBMPInfoHeader(TPGStream& stream);
// "Windows", "Windows V2".."Windows V5" or "OS/2 2.x" for a header of the information form.
std::string BMPHeaderVersionText(const TBMPHeader& header);
