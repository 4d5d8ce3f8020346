#include <algorithm>
#include <cstdio>
#include <cstring>

#include "imaging/formats/NativeDIB.h"

namespace {

std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}
std::uint16_t U16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

constexpr std::uint32_t kBI_RGB = 0, kBI_BITFIELDS = 3, kBI_ALPHABITFIELDS = 6;

bool KnownHeaderSize(std::uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

}  // namespace

std::vector<std::uint8_t> PackDIB(const TPixelGraphic& picture) {
  std::vector<std::uint8_t> dib = picture.BitmapInfo();
  const std::uint8_t* bits = picture.Bits();
  dib.insert(dib.end(), bits, bits + picture.ImageSize());
  return dib;
}

TNativeBMPLayout NativeBMPLayout(const std::uint8_t* dib, std::size_t size) {
  TNativeBMPLayout l;
  if (!dib || size < 40) return l;
  l.HeaderSize = U32(dib);
  if (!KnownHeaderSize(l.HeaderSize) || size < l.HeaderSize) return l;
  const std::int64_t width = static_cast<std::int32_t>(U32(dib + 4));
  const std::int64_t height = static_cast<std::int32_t>(U32(dib + 8));  // < 0: top-down rows
  const int bits = U16(dib + 14);
  const std::uint32_t compression = U32(dib + 16);
  const std::uint32_t sizeImage = U32(dib + 20);
  const std::uint32_t clrUsed = U32(dib + 32);
  if (width <= 0 || height == 0) return l;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return l;
  if (l.HeaderSize == 40 && compression == kBI_BITFIELDS) l.MaskBytes = 12;
  if (l.HeaderSize == 40 && compression == kBI_ALPHABITFIELDS) l.MaskBytes = 16;
  if (bits <= 8) {
    const std::uint32_t full = 1u << bits;
    l.Colors = clrUsed == 0 ? full : clrUsed;
    if (l.Colors > full) return l;
  } else {
    l.Colors = clrUsed;
    if (l.Colors > 256) return l;
  }
  const bool uncompressed = compression == kBI_RGB || compression == kBI_BITFIELDS ||
                            compression == kBI_ALPHABITFIELDS;
  const std::uint64_t rowBytes = ((std::uint64_t(width) * bits + 31) / 32) * 4;
  const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
  if (uncompressed) {
    l.ImageSize = rowBytes * rows;
  } else {
    if (sizeImage == 0 || height < 0) return l;  // compressed bitmaps are bottom-up and sized
    l.ImageSize = sizeImage;
  }
  l.PixelOffset = 14 + std::uint64_t(l.HeaderSize) + l.MaskBytes + 4 * std::uint64_t(l.Colors);
  l.FileSize = l.PixelOffset + l.ImageSize;
  if (l.FileSize > kNativeBMPMaxFileSize) return l;
  if (l.DIBBytes() > size) return l;
  l.Valid = true;
  return l;
}

int WriteNativeBMP(const std::uint8_t* dib, std::size_t size,
                   const std::function<bool(const void*, std::size_t)>& write) {
  const TNativeBMPLayout l = NativeBMPLayout(dib, size);
  if (!l.Valid) return kNativeWriteNoMemory;
  std::uint8_t header[14] = {'B', 'M'};
  Put32(header + 2, static_cast<std::uint32_t>(l.FileSize));
  Put32(header + 10, static_cast<std::uint32_t>(l.PixelOffset));
  if (!write(header, sizeof header)) return kNativeWriteFailed;
  // The bitmap in pieces, so that a short write anywhere is noticed.
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  for (std::uint64_t done = 0; done < l.DIBBytes();) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, l.DIBBytes() - done));
    if (!write(dib + done, n)) return kNativeWriteFailed;
    done += n;
  }
  return kNativeWriteOK;
}

int WriteNativeToFile(const std::vector<std::uint8_t>& dib, const std::string& path) {
  if (!NativeBMPLayout(dib.data(), dib.size()).Valid) return kNativeWriteNoMemory;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return kNativeWriteNotCreated;
  int result = WriteNativeBMP(dib.data(), dib.size(), [f](const void* p, std::size_t n) {
    return std::fwrite(p, 1, n, f) == n;
  });
  if (std::fclose(f) != 0 && result == kNativeWriteOK) result = kNativeWriteFailed;
  if (result != kNativeWriteOK) std::remove(path.c_str());
  return result;
}
