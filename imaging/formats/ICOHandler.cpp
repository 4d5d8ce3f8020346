#include "imaging/formats/ICOHandler.h"

#include <algorithm>
#include <cstring>

#include "imaging/formats/ICOTrueColor.h"

namespace {

constexpr std::uint8_t kPNGSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::size_t RowBytes(int width, int bits) {
  return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
}

}  // namespace

bool tIconHandler::ReadAt(TPGStream& stream, std::uint64_t offset, void* buffer, std::size_t n) {
  if (offset > static_cast<std::uint64_t>(FFileSize) ||
      n > static_cast<std::uint64_t>(FFileSize) - offset)
    return false;
  stream.Seek(FBase + static_cast<std::int64_t>(offset));
  return stream.ReadFull(buffer, n);
}

void tIconHandler::ValidateDirectory(TPGStream& stream) {
  FCount = 0;
  FType = 0;
  FEntries.clear();
  FBase = stream.Position();
  FFileSize = stream.Size() - FBase;
  std::uint8_t header[6];
  bool valid = FFileSize > 6 && ReadAt(stream, 0, header, 6);
  int count = 0, type = 0;
  if (valid) {
    type = GetLE16(header + 2);
    count = GetLE16(header + 4);
    valid = GetLE16(header) == 0 && (type == 1 || type == 2) && count != 0;
  }
  if (valid) valid = FFileSize > 6 + 16 * static_cast<std::int64_t>(count);
  if (valid) {
    std::vector<std::uint8_t> entries(16 * static_cast<std::size_t>(count));
    valid = ReadAt(stream, 6, entries.data(), entries.size());
    for (int i = 0; valid && i < count; ++i) {
      TEntry e;
      e.ByteCount = GetLE32(&entries[16 * static_cast<std::size_t>(i) + 8]);
      e.Offset = GetLE32(&entries[16 * static_cast<std::size_t>(i) + 12]);
      // In 64 bits: the sum of two 32-bit fields cannot wrap around.
      valid = static_cast<std::uint64_t>(e.Offset) + e.ByteCount <=
              static_cast<std::uint64_t>(FFileSize);
      FEntries.push_back(e);
    }
  }
  if (valid) {
    FCount = count;
    FType = type;
  } else {
    FEntries.clear();
  }
  stream.Seek(FBase);
}

bool tIconHandler::IsPNGEntry(TPGStream& stream, int i) {
  const TEntry& e = Entry(i);
  std::uint8_t head[8];
  const std::int64_t keep = stream.Position();
  const bool png = e.ByteCount >= 8 && ReadAt(stream, e.Offset, head, 8) &&
                   std::memcmp(head, kPNGSignature, 8) == 0;
  stream.Seek(keep);
  return png;
}

std::vector<std::uint8_t> tIconHandler::EntryBytes(TPGStream& stream, int i) {
  const TEntry& e = Entry(i);
  std::vector<std::uint8_t> bytes(e.ByteCount);
  const std::int64_t keep = stream.Position();
  if (!ReadAt(stream, e.Offset, bytes.data(), bytes.size())) bytes.clear();
  stream.Seek(keep);
  return bytes;
}

bool tIconHandler::ReadBitmapHeader(TPGStream& stream, int i, int& width, int& height,
                                    int& bitCount) {
  const TEntry& e = Entry(i);
  std::uint8_t h[40];
  const std::int64_t keep = stream.Position();
  // The header must lie inside the entry's own data.
  const bool ok = e.ByteCount >= 40 && ReadAt(stream, e.Offset, h, 40);
  stream.Seek(keep);
  if (!ok) return false;
  FHeaderColors = GetLE32(h + 32);
  width = static_cast<std::int32_t>(GetLE32(h + 4));
  height = static_cast<std::int32_t>(GetLE32(h + 8)) / 2;
  bitCount = GetLE16(h + 14);
  return true;
}

bool tIconHandler::LoadImage(TPGStream& stream, int i) {
  Release();
  if (i < 0 || i >= FCount) return false;
  int width = 0, height = 0, bits = 0;
  if (!ReadBitmapHeader(stream, i, width, height, bits)) return false;
  const bool trueColor = bits == 24 || bits == 32;
  if ((bits != 1 && bits != 4 && bits != 8 && !trueColor) || (FType != 1 && FType != 2))
    return false;
  if (!trueColor && (width < 8 || width > 64 || height < 8 || height > 64)) return false;
  if (trueColor && !ICOTrueColorSidesFit(width, height)) return false;
  const std::size_t paletteSize = ICOPaletteSize(bits, FHeaderColors);
  const std::size_t colorRow = RowBytes(width, bits);
  const std::size_t maskRow = RowBytes(width, 1);
  const std::size_t expected = 40 + paletteSize * 4 + (colorRow + maskRow) * height;
  if (!ICOByteCountFits(Entry(i).ByteCount, expected, colorRow * height, trueColor))
    return false;

  std::vector<std::uint8_t> data(std::min<std::size_t>(Entry(i).ByteCount, expected) - 40);
  const std::int64_t keep = stream.Position();
  const bool ok = ReadAt(stream, static_cast<std::uint64_t>(Entry(i).Offset) + 40, data.data(),
                         data.size());
  stream.Seek(keep);
  if (!ok) return false;
  data.resize(expected - 40, 0);  // a cut mask of a true-colour entry masks nothing
  FColors.resize(paletteSize);
  for (std::size_t k = 0; k < paletteSize; ++k)  // stored blue, green, red, 0
    FColors[k] = RGBColor(data[4 * k + 2], data[4 * k + 1], data[4 * k]);
  const auto bitmapStart = data.begin() + static_cast<long>(paletteSize * 4);
  const auto maskStart = bitmapStart + static_cast<long>(colorRow * height);
  FBitmap.assign(bitmapStart, maskStart);
  FMask.assign(maskStart, data.end());
  FWidth = width;
  FHeight = height;
  FBitCount = bits;
  FColorRow = colorRow;
  FMaskRow = maskRow;
  FHasAlpha = bits == 32 && ICOBitmapHasAlpha(FBitmap);
  return true;
}

bool tIconHandler::Masked(int x, int y) const {
  const std::uint8_t* row = &FMask[FMaskRow * static_cast<std::size_t>(FHeight - 1 - y)];
  return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

TRGB tIconHandler::Color(int x, int y) const {
  const std::uint8_t* row = &FBitmap[FColorRow * static_cast<std::size_t>(FHeight - 1 - y)];
  if (FBitCount >= 24) return ICOTrueColorPixel(row, x, FBitCount);
  unsigned v;
  switch (FBitCount) {
    case 1: v = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
    case 4: v = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F; break;
    default: v = row[x]; break;
  }
  // A short colour table (the header's colours used): indexes beyond it are black.
  return v < FColors.size() ? FColors[v] : 0;
}

std::uint8_t tIconHandler::Alpha(int x, int y) const {
  if (FBitCount != 32) return 255;
  return FBitmap[FColorRow * static_cast<std::size_t>(FHeight - 1 - y) + 4 * static_cast<std::size_t>(x) + 3];
}

void tIconHandler::Release() {
  FHasAlpha = false;
  FWidth = FHeight = FBitCount = 0;
  FColors.clear();
  FBitmap.clear();
  FBitmap.shrink_to_fit();
  FMask.clear();
  FMask.shrink_to_fit();
}
