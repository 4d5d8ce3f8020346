// ReadDIB: the bitmap after the file header, shared by the file reader and packed bitmaps.
#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/BMPBitFields.h"
#include "imaging/formats/BMPFormat.h"
#include "imaging/formats/BMPHeader.h"
#include "imaging/formats/FormatSettings.h"

TBMPHeader ParseBMPCoreHeader(const std::uint8_t* h) {
  TBMPHeader header;
  header.Core = true;
  header.Width = GetLE16(h + 4);
  header.Height = GetLE16(h + 6);
  if (GetLE16(h + 8) != 1) RaiseBMP(pgmInvalid, "BitmapCoreHeader.bcPlanes");
  header.BitCount = GetLE16(h + 10);
  if (header.BitCount != 1 && header.BitCount != 4 && header.BitCount != 8 &&
      header.BitCount != 24)
    RaiseBMP(pgmInvalid, "BitmapCoreHeader.bcBitCount");
  return header;
}

TBMPHeader ParseBMPInfoHeader(const std::uint8_t* h) {
  TBMPHeader header;
  header.Width = static_cast<std::int32_t>(GetLE32(h + 4));
  header.Height = static_cast<std::int32_t>(GetLE32(h + 8));
  if (GetLE16(h + 12) != 1) RaiseBMP(pgmInvalid, "BitmapInfoHeader.biPlanes");
  header.BitCount = GetLE16(h + 14);
  const int bits = header.BitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    RaiseBMP(pgmInvalid, "BitmapInfoHeader.biBitCount");
  header.Compression = GetLE32(h + 16);
  const std::uint32_t c = header.Compression;
  const bool allowed = c == 0 || (c == 1 && bits == 8 && header.Height >= 0) ||
                       (c == 2 && bits == 4 && header.Height >= 0) ||
                       (c == 3 && (bits == 16 || bits == 32));
  if (!allowed) RaiseBMP(pgmInvalid, "BitmapInfoHeader.biCompression");
  if (header.Width < 0) RaiseBMP(pgmInvalid, "BitmapInfoHeader.biWidth");
  if (header.Height == INT32_MIN) RaiseBMP(pgmInvalid, "BitmapInfoHeader.biHeight");
  header.ImageSize = GetLE32(h + 20);
  header.ColorsUsed = GetLE32(h + 32);
  return header;
}

namespace {

void FlipRows(TPixelGraphic& image) {
  const std::size_t rowBytes = image.RowBytes();
  for (int y = 0, h = image.Height(); y < h / 2; ++y)
    std::swap_ranges(image.ScanLine(y), image.ScanLine(y) + rowBytes, image.ScanLine(h - 1 - y));
}

// Reads ImageSize bytes straight into the storage, in ten parts with progress.
void ReadStraight(TPixelGraphic& image, TPGStream& stream) {
  const std::size_t total = image.ImageSize();
  std::uint8_t* bits = image.Bits();
  if (!bits) return;
  if (total <= 100) {
    stream.Read(bits, total);
    return;
  }
  const std::size_t part = total / 10;
  std::size_t done = 0;
  for (int k = 1; k <= 10; ++k) {
    const std::size_t length = k < 10 ? part : total - done;
    stream.Read(bits + done, length);
    done += length;
    if (image.Progress(k, 10)) break;
  }
}

void DecodeRLE(TPixelGraphic& image, const std::vector<std::uint8_t>& data, bool rle8) {
  const std::size_t n = data.size();
  const std::int64_t width = image.Width();
  std::int64_t x = 0;
  std::int64_t y = image.Height() - 1;
  std::size_t pos = 0;
  const std::size_t tenth = n / 10;
  auto put = [&](std::int64_t px, TRGB v) {
    if (px >= 0 && px < width && y >= 0)
      image.SetPixel(static_cast<int>(px), static_cast<int>(y), v);
  };
  while (n >= 2 && pos < n - 1 && y >= 0) {
    const std::uint8_t b0 = data[pos];
    const std::uint8_t b1 = data[pos + 1];
    if (b0 != 0) {
      const std::int64_t count = std::min<std::int64_t>(b0, std::max<std::int64_t>(width - x, 0));
      for (std::int64_t i = 0; i < count; ++i)
        put(x + i, rle8 ? b1 : (i % 2 == 0 ? b1 >> 4 : b1 & 15));
      x += b0;
      pos += 2;
    } else if (b1 == 0) {
      x = 0;
      --y;
      pos += 2;
    } else if (b1 == 1) {
      break;
    } else if (b1 == 2) {
      if (pos + 3 >= n) break;
      x += data[pos + 2];
      y -= data[pos + 3];
      pos += 4;
    } else {
      // Absolute run: bounded by the data that is there and by the row.
      const std::size_t bytes = rle8 ? b1 : (b1 + 1u) / 2;
      for (std::size_t i = 0; i < b1 && x + static_cast<std::int64_t>(i) < width; ++i) {
        const std::size_t at = pos + 2 + (rle8 ? i : i / 2);
        if (at >= n) break;
        put(x + static_cast<std::int64_t>(i),
            rle8 ? data[at] : (i % 2 == 0 ? data[at] >> 4 : data[at] & 15));
      }
      x += b1;
      pos += 2 + bytes;
      if (pos % 2) ++pos;
    }
    if (tenth >= 1 && pos % tenth == 0 && image.Progress(static_cast<int>(pos / tenth), 10))
      break;
  }
}

}  // namespace

bool ReadDIB(TPixelGraphic& image, TPGStream& stream, bool coreHeader, bool expand16Bit) {
  image.FlushDrawing();
  TPGProgressScope progress(image);

  const TRGB background = image.BackGroundRGB();
  std::uint8_t h[12] = {};
  if (coreHeader) stream.Read(h, 12);
  const TBMPHeader header = coreHeader ? ParseBMPCoreHeader(h) : ReadBMPInfoHeader(stream);
  const int bits = header.BitCount;
  const std::int64_t absHeight = header.Height < 0 ? -std::int64_t{header.Height} : header.Height;
  const bool rle = header.Compression == 1 || header.Compression == 2;
  const TPixelFormat format = bits > 8 ? pf24Bit : PixelFormatFromBitCount(bits);
  if (!PGStorageIsPlausible(static_cast<std::uint64_t>(header.Width),
                            static_cast<std::uint64_t>(absHeight), BitCountOf(format),
                            stream.Remaining(), rle ? 4096.0 : 2.0))
    RaiseBMP(pgmOutOfRange, "Image size");
  const int height = static_cast<int>(absHeight);

  if (header.Core) {
    image.SetSize(header.Width, height, format);
    image.SetPaletteCount(image.MaxPaletteCount());
    if (bits == 24) {
      image.SetPaletteIdent(pTrueColor);
    } else {
      std::vector<std::uint8_t> table(3 * static_cast<std::size_t>(image.PaletteCount()));
      stream.Read(table.data(), table.size());
      for (int i = 0; i < image.PaletteCount(); ++i)
        image.SetPaletteColor(i, RGBColor(table[3 * i + 2], table[3 * i + 1], table[3 * i]));
    }
    const bool complete = image.ImageSize() <= static_cast<std::uint64_t>(stream.Remaining());
    ReadStraight(image, stream);
    return complete;
  }

  std::uint32_t masks[4] = {};
  if (bits > 8) {
    image.SetSize(header.Width, height, pf24Bit);
    image.SetPaletteIdent(pTrueColor);
    BMPDefaultMasks(header, masks);
    if (header.Compression == 3 && !header.MasksInHeader) {
      std::uint8_t m[12] = {};
      stream.Read(m, 12);
      for (int i = 0; i < 3; ++i) masks[i] = GetLE32(m + 4 * i);
    }
    stream.Skip(std::int64_t{header.ColorsUsed} * 4);
  } else {
    image.SetSize(header.Width, height, format);
    const std::uint32_t maxCount = 1u << bits;
    const std::uint32_t count = header.ColorsUsed == 0 ? maxCount
                                                       : std::min(header.ColorsUsed, maxCount);
    image.SetPaletteCount(static_cast<int>(count));
    std::vector<std::uint8_t> table(4 * static_cast<std::size_t>(count));
    stream.Read(table.data(), table.size());
    for (std::uint32_t i = 0; i < count; ++i)
      image.SetPaletteColor(static_cast<int>(i),
                            RGBColor(table[4 * i + 2], table[4 * i + 1], table[4 * i]));
    // Entries beyond what the bit count can address are skipped.
    if (header.ColorsUsed > maxCount)
      stream.Skip((std::int64_t{header.ColorsUsed} - maxCount) * 4);
  }

  if (image.Empty()) return true;  // no pixels to read (a width or height of 0)
  bool complete = true;
  if (bits == 16 || bits == 32) {
    complete = ReadBMPBitFields(image, stream, header, masks, expand16Bit, background);
  } else if (rle) {
    complete = header.ImageSize <= stream.Remaining();
    const std::size_t n =
        static_cast<std::size_t>(std::min<std::int64_t>(header.ImageSize, stream.Remaining()));
    std::vector<std::uint8_t> data(n);
    data.resize(stream.Read(data.data(), n));
    DecodeRLE(image, data, header.Compression == 1);
  } else {
    complete = image.ImageSize() <= static_cast<std::uint64_t>(stream.Remaining());
    ReadStraight(image, stream);
    if (header.Height < 0) FlipRows(image);
  }
  return complete;
}
