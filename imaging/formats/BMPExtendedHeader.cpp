// Bitmap information headers longer than 40 bytes, and the OS/2 2.x headers.
#include <algorithm>
#include <cstring>

#include "imaging/formats/BMPHeader.h"

bool IsBMPExtendedHeaderSize(std::uint32_t size) {
  return size == 16 || size == 64 || size == 52 || size == 56 || size == 108 || size == 124;
}

TBMPHeader ReadBMPInfoHeader(TPGStream& stream) {
  std::uint8_t h[124] = {};
  stream.Read(h, 4);
  const std::uint32_t size = GetLE32(h);
  if (!IsBMPExtendedHeaderSize(size)) {
    stream.Read(h + 4, 36);
    return ParseBMPInfoHeader(h);
  }
  stream.Read(h + 4, size - 4);
  const bool os2 = size == 16 || size == 64;
  if (os2) {
    // The short form ends after the bit count; the rest reads as 0 (uncompressed).
    if (size == 16) std::memset(h + 16, 0, 24);
    // OS/2 2.x knows no bit fields: its compression 3 is Huffman coding and 4 is RLE24.
    if (GetLE32(h + 16) > 2) RaiseBMP(pgmInvalid, "BitmapInfoHeader.biCompression");
  }
  TBMPHeader header = ParseBMPInfoHeader(h);
  header.HeaderSize = size;
  header.OS2 = os2;
  if (!os2) {
    header.MasksInHeader = true;
    for (int i = 0; i < 3; ++i) header.Masks[i] = GetLE32(h + 40 + 4 * i);
    if (size >= 56) header.Masks[3] = GetLE32(h + 52);
  }
  return header;
}

std::string BMPHeaderVersionText(const TBMPHeader& header) {
  if (header.OS2) return "OS/2 2.x";
  switch (header.HeaderSize) {
    case 52: return "Windows V2";
    case 56: return "Windows V3";
    case 108: return "Windows V4";
    case 124: return "Windows V5";
    default: return "Windows";
  }
}
