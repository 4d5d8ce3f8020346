#include "imaging/formats/PCXFormat.h"
#include "imaging/formats/PCXPacked.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/PGMessageIds.h"

namespace {

[[noreturn]] void RaisePCX(TPGMessageId message, const std::string& s1 = {}) {
  throw EPGPCXFileFormatReader("PCX: " + PGMessage(message, s1));
}

struct TPCXHeader {
  int Version = 0;
  int BitsPerPlane = 0;
  int Width = 0;
  int Height = 0;
  std::uint8_t Map[48] = {};
  int Planes = 0;
  int BytesPerLine = 0;
};

// Reads the 128-byte header; raises "Unknown subformat" for palette info not 1 or a reserved
// byte that is not 0.
TPCXHeader ReadHeader(TPGStream& stream) {
  std::uint8_t h[128] = {};
  if (!stream.ReadFull(h, sizeof h)) RaisePCX(pgmUnexpectedEnd);
  if (GetLE16(h + 68) != 1 || h[64] != 0) RaisePCX(pgmUnknownSubformat);
  TPCXHeader header;
  header.Version = h[1];
  header.BitsPerPlane = h[3];
  header.Width = GetLE16(h + 8) - GetLE16(h + 4) + 1;
  header.Height = GetLE16(h + 10) - GetLE16(h + 6) + 1;
  std::memcpy(header.Map, h + 16, 48);
  header.Planes = h[65];
  header.BytesPerLine = GetLE16(h + 66);
  return header;
}

// Run-length decoding through a 1024-byte input buffer.
class TPCXDecoder {
 public:
  explicit TPCXDecoder(TPGStream& stream) : FStream(stream) {}

  // Fills line with decoded bytes; the part of a run beyond the line is dropped.
  void DecodeLine(std::vector<std::uint8_t>& line) {
    std::size_t filled = 0;
    while (filled < line.size()) {
      std::uint8_t b = Next();
      std::size_t count = 1;
      if (b >= 192) {
        count = b & 0x3F;
        b = Next();
      }
      count = std::min(count, line.size() - filled);
      std::memset(line.data() + filled, b, count);
      filled += count;
    }
  }

 private:
  std::uint8_t Next() {
    if (FPos == FEnd) {
      FEnd = FStream.Read(FBuffer, sizeof FBuffer);
      FPos = 0;
      if (FEnd == 0) RaisePCX(pgmUnexpectedEnd);
    }
    return FBuffer[FPos++];
  }

  TPGStream& FStream;
  std::uint8_t FBuffer[1024];
  std::size_t FPos = 0;
  std::size_t FEnd = 0;
};

void ConvertLine(TPixelGraphic& image, int y, const std::vector<std::uint8_t>& line,
                 int bytesPerLine) {
  const int width = image.Width();
  std::uint8_t* row = image.ScanLine(y);
  switch (image.PixelFormat()) {
    case pf1Bit: {
      const std::size_t used = (static_cast<std::size_t>(width) + 7) / 8;
      std::memcpy(row, line.data(), used);
      // Bits after the last pixel of a partly used last byte are cleared.
      if (width % 8) row[used - 1] &= static_cast<std::uint8_t>(0xFF00 >> (width % 8));
      break;
    }
    case pf4Bit:
      for (int x = 0; x < width; ++x) {
        const std::size_t byte = static_cast<std::size_t>(x) / 8;
        const int bit = 7 - x % 8;
        int v = 0;
        for (int p = 0; p < 4; ++p)
          v |= ((line[p * static_cast<std::size_t>(bytesPerLine) + byte] >> bit) & 1) << p;
        row[x / 2] = static_cast<std::uint8_t>(x % 2 ? (row[x / 2] & 0xF0) | v
                                                     : (row[x / 2] & 0x0F) | (v << 4));
      }
      break;
    case pf8Bit: std::memcpy(row, line.data(), static_cast<std::size_t>(width)); break;
    case pf24Bit: {
      const std::uint8_t* r = line.data();
      const std::uint8_t* g = r + bytesPerLine;
      const std::uint8_t* b = g + bytesPerLine;
      for (int x = 0; x < width; ++x, row += 3) {
        row[0] = b[x];
        row[1] = g[x];
        row[2] = r[x];
      }
      break;
    }
  }
}

}  // namespace

void TPCXFileFormatReader::ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                                          const TPGFormatContext& context) const {
  if (index != 0) RaisePCX(pgmInvalid, "Index");
  graphic.Gamma = context.ScreenGamma;
  const TPCXHeader header = ReadHeader(stream);
  graphic.SetHeight(0);

  TPixelFormat format;
  if (header.BitsPerPlane == 1 && header.Planes == 1) format = pf1Bit;
  else if (header.BitsPerPlane == 1 && header.Planes == 4) format = pf4Bit;
  else if (header.BitsPerPlane == 8 && header.Planes == 1) format = pf8Bit;
  else if (header.BitsPerPlane == 8 && header.Planes == 3) format = pf24Bit;
  else if (IsPCXPackedLayout(header.BitsPerPlane, header.Planes)) format = pf4Bit;
  else RaisePCX(pgmUnknownSubformat);
  const bool packed = IsPCXPackedLayout(header.BitsPerPlane, header.Planes);

  // Sizes the file cannot describe: negative extents, lines shorter than the width needs.
  if (header.Width < 0 || header.Height < 0) RaisePCX(pgmOutOfRange, "Image size");
  const int needed = header.BitsPerPlane < 8 ? (header.Width * header.BitsPerPlane + 7) / 8
                                             : header.Width;
  if (header.BytesPerLine < needed) RaisePCX(pgmUnknownSubformat);
  if (!PGStorageIsPlausible(static_cast<std::uint64_t>(header.Width),
                            static_cast<std::uint64_t>(header.Height), BitCountOf(format),
                            stream.Remaining(), 32.0))
    RaisePCX(pgmOutOfRange, "Image size");

  graphic.SetPixelFormat(format);
  switch (format) {
    case pf1Bit: graphic.SetPaletteIdent(pBlackWhite); break;
    case pf4Bit:
      if (packed) {
        SetPCXPackedPalette(graphic, header.Version, header.BitsPerPlane, header.Map);
      } else if (header.Version == 3) {
        graphic.SetPaletteIdent(pSys16);
      } else {
        graphic.SetPaletteCount(16);
        for (int i = 0; i < 16; ++i)
          graphic.SetPaletteColor(
              i, RGBColor(header.Map[3 * i], header.Map[3 * i + 1], header.Map[3 * i + 2]));
      }
      break;
    case pf8Bit: {
      // The palette is the last 769 bytes: the marker 12 and 256 triples.
      const std::int64_t position = stream.Position();
      if (stream.Size() < 128 + 769) RaisePCX(pgmUnknownSubformat);
      std::uint8_t table[769] = {};
      stream.Seek(stream.Size() - 769);
      const bool complete = stream.ReadFull(table, sizeof table);
      stream.Seek(position);
      if (!complete || table[0] != 12) RaisePCX(pgmUnknownSubformat);
      graphic.SetPaletteCount(256);
      for (int i = 0; i < 256; ++i)
        graphic.SetPaletteColor(
            i, RGBColor(table[1 + 3 * i], table[2 + 3 * i], table[3 + 3 * i]));
      break;
    }
    case pf24Bit: break;
  }
  graphic.SetWidth(header.Width);
  graphic.SetHeight(header.Height);

  if (graphic.Empty()) return;  // a width or height of 0: no pixels
  TPGProgressScope progress(graphic);
  std::vector<std::uint8_t> line(static_cast<std::size_t>(header.Planes) * header.BytesPerLine);
  TPCXDecoder decoder(stream);
  for (int y = 0; y < header.Height; ++y) {
    decoder.DecodeLine(line);
    if (packed) ConvertPCXPackedLine(graphic, y, line.data(), header.BitsPerPlane);
    else ConvertLine(graphic, y, line, header.BytesPerLine);
    if (graphic.Progress(y, header.Height)) break;
  }
}

TPGFileInfo TPCXFileFormatReader::GetInfo(TPGStream& stream, int index,
                                          const TPGFormatContext& context) const {
  TPGFileInfo info = TFileFormatReader::GetInfo(stream, index, context);
  if (index != 0) RaisePCX(pgmInvalidValueFor, "Index");
  const TPCXHeader header = ReadHeader(stream);
  info.BitsPerPixel = header.Planes * header.BitsPerPlane;
  info.Width = header.Width;
  info.Height = header.Height;
  switch (header.Version) {
    case 0: info.VersionText = "Version 2.5 (0)"; break;
    case 2: info.VersionText = "Version 2.8 (2) with Palette"; break;
    case 3: info.VersionText = "Version 2.8 (3) without Palette"; break;
    case 5: info.VersionText = "Version 3.0 (5)"; break;
    default: break;
  }
  if (info.BitsPerPixel == 24)
    info.ColorsText = "16.7M";
  else if (info.BitsPerPixel < 24)
    info.ColorsText = std::to_string(1L << info.BitsPerPixel);
  else
    info.ColorsText = "16.7M ?";
  return info;
}
