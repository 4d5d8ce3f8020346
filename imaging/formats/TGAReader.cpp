#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/AlphaPlane.h"
#include "imaging/formats/TGAFormat.h"
#include "imaging/formats/TGAPixels.h"

namespace {

[[noreturn]] void RaiseTGA(TPGMessageId message, const std::string& s1 = {}) {
  throw EPGTGAFileFormatReader("TGA: " + PGMessage(message, s1));
}

struct TTGAHeader {
  int IDLength = 0;
  int ColorMapType = 0;
  int ImageType = 0;
  int MapFirst = 0;
  int MapLength = 0;
  int MapEntrySize = 0;
  int Width = 0;
  int Height = 0;
  int Depth = 0;
  int Descriptor = 0;
};

TTGAHeader ReadHeader(TPGStream& stream) {
  std::uint8_t h[18] = {};
  if (!stream.ReadFull(h, sizeof h)) RaiseTGA(pgmUnexpectedEnd);
  TTGAHeader header;
  header.IDLength = h[0];
  header.ColorMapType = h[1];
  header.ImageType = h[2];
  header.MapFirst = GetLE16(h + 3);
  header.MapLength = GetLE16(h + 5);
  header.MapEntrySize = h[7];
  header.Width = GetLE16(h + 12);
  header.Height = GetLE16(h + 14);
  header.Depth = h[16];
  header.Descriptor = h[17];
  return header;
}

TRGB Color16(std::uint32_t v) {
  return TGAColor16(v);
}

// Pixels of run-length encoded data through a 1024-byte input buffer. Packets may continue
// into the next row.
class TTGAPixelSource {
 public:
  TTGAPixelSource(TPGStream& stream, int bytesPerPixel, bool encoded)
      : FStream(stream), FBytes(bytesPerPixel), FEncoded(encoded) {}

  // Fills `count` pixels of FBytes bytes each.
  void ReadPixels(std::uint8_t* out, int count) {
    if (!FEncoded) {
      ReadRaw(out, static_cast<std::size_t>(count) * FBytes);
      return;
    }
    while (count > 0) {
      if (FLeft == 0) {
        std::uint8_t h;
        ReadRaw(&h, 1);
        FLeft = (h & 127) + 1;
        FRun = (h & 128) != 0;
        if (FRun) ReadRaw(FValue, FBytes);
      }
      const int n = std::min(count, FLeft);
      if (FRun) {
        for (int i = 0; i < n; ++i, out += FBytes) std::memcpy(out, FValue, FBytes);
      } else {
        ReadRaw(out, static_cast<std::size_t>(n) * FBytes);
        out += static_cast<std::size_t>(n) * FBytes;
      }
      FLeft -= n;
      count -= n;
    }
  }

 private:
  void ReadRaw(std::uint8_t* out, std::size_t n) {
    while (n > 0) {
      if (FPos == FEnd) {
        FEnd = FStream.Read(FBuffer, sizeof FBuffer);
        FPos = 0;
        if (FEnd == 0) RaiseTGA(pgmUnexpectedEnd);
      }
      const std::size_t k = std::min(n, FEnd - FPos);
      std::memcpy(out, FBuffer + FPos, k);
      FPos += k;
      out += k;
      n -= k;
    }
  }

  TPGStream& FStream;
  int FBytes;
  bool FEncoded;
  int FLeft = 0;
  bool FRun = false;
  std::uint8_t FValue[4] = {};
  std::uint8_t FBuffer[1024];
  std::size_t FPos = 0;
  std::size_t FEnd = 0;
};

}  // namespace

void TTGAFileFormatReader::ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                                          const TPGFormatContext& /*context*/) const {
  if (index != 0) RaiseTGA(pgmInvalid, "Index");
  const TTGAHeader header = ReadHeader(stream);
  const int depth = header.Depth;
  if (depth != 8 && depth != 16 && depth != 24 && depth != 32) RaiseTGA(pgmNotSupportedSubformat);
  // Only colour-mapped, true-colour and grey data exist; grey data has 8 bits (grey with
  // alpha would otherwise be taken for 5-5-5 colour).
  const int kind = header.ImageType & 7;
  const bool greyAlpha = IsTGAGreyAlpha(header.ImageType, depth);
  if (kind < 1 || kind > 3 || (kind == 3 && depth != 8 && !greyAlpha))
    RaiseTGA(pgmNotSupportedSubformat);
  const bool hasAlpha = TGAHasAlpha(header.ImageType, depth, header.Descriptor);
  const TRGB background = graphic.BackGroundRGB();
  stream.Skip(header.IDLength);

  // The colour map: for 8-bit images entry i is the colour of index MapFirst + i; maps of
  // other images are skipped.
  const std::int64_t mapStart = stream.Position();
  const bool hasMap = header.ColorMapType == 1;
  std::vector<TRGB> map;
  if (depth == 8 && hasMap) {
    const int entrySize = header.MapEntrySize;
    if (entrySize != 15 && entrySize != 16 && entrySize != 24 && entrySize != 32)
      RaiseTGA(pgmNotSupportedSubformat);
    const int bytes = (entrySize + 7) / 8;
    const int used = std::clamp(256 - header.MapFirst, 0, header.MapLength);
    std::vector<std::uint8_t> raw(static_cast<std::size_t>(used) * bytes);
    if (!stream.ReadFull(raw.data(), raw.size())) RaiseTGA(pgmUnexpectedEnd);
    for (int i = 0; i < used; ++i) {
      const std::uint8_t* e = raw.data() + static_cast<std::size_t>(i) * bytes;
      map.push_back(bytes == 2 ? Color16(GetLE16(e)) : RGBColor(e[2], e[1], e[0]));
    }
  }
  // Entries take whole bytes (a 15-bit entry takes 2).
  if (hasMap)
    stream.Seek(mapStart + std::int64_t{header.MapLength} * ((header.MapEntrySize + 7) / 8));

  const bool encoded = (header.ImageType & 8) != 0;
  const TPixelFormat format = depth == 8 || greyAlpha ? pf8Bit : pf24Bit;
  if (!PGStorageIsPlausible(static_cast<std::uint64_t>(header.Width),
                            static_cast<std::uint64_t>(header.Height), BitCountOf(format),
                            stream.Remaining(), encoded ? 128.0 : 2.0))
    RaiseTGA(pgmOutOfRange, "Image size");
  graphic.SetSize(header.Width, header.Height, format);
  if (greyAlpha) graphic.SetPaletteIdent(pGray256);
  if (depth == 8) {
    if (!map.empty()) {
      graphic.SetPaletteCount(static_cast<int>(map.size()) + header.MapFirst);
      for (std::size_t i = 0; i < map.size(); ++i)
        graphic.SetPaletteColor(header.MapFirst + static_cast<int>(i), map[i]);
    } else {
      graphic.SetPaletteIdent(pGray256);
    }
  }
  if (graphic.Empty()) return;  // a width or height of 0: no pixels

  TPGProgressScope progress(graphic);
  const int width = header.Width;
  const int height = header.Height;
  const bool rightToLeft = (header.Descriptor & 0x10) != 0;
  const bool topFirst = (header.Descriptor & 0x20) != 0;
  const int bytesPerPixel = depth / 8;
  const bool direct = !encoded && (depth == 8 || depth == 24) && !rightToLeft;
  TTGAPixelSource source(stream, bytesPerPixel, encoded);
  TPGAlphaPlane alpha(hasAlpha ? width : 0, hasAlpha ? height : 0);
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(width) * bytesPerPixel);
  for (int y = 0; y < height; ++y) {
    const int row = topFirst ? y : height - 1 - y;
    std::uint8_t* out = graphic.ScanLine(row);
    if (direct) {
      source.ReadPixels(out, width);
    } else {
      source.ReadPixels(buffer.data(), width);
      const std::uint8_t* in = buffer.data();
      for (int i = 0; i < width; ++i, in += bytesPerPixel) {
        const int x = rightToLeft ? width - 1 - i : i;
        if (hasAlpha) alpha.Set(x, row, TGAPixelAlpha(in, depth, greyAlpha));
        if (depth == 8 || greyAlpha) {
          out[x] = in[0];
        } else {
          const TRGB c = depth == 16 ? Color16(GetLE16(in)) : RGBColor(in[2], in[1], in[0]);
          std::uint8_t* p = out + 3 * static_cast<std::size_t>(x);
          p[0] = static_cast<std::uint8_t>(BlueOf(c));
          p[1] = static_cast<std::uint8_t>(GreenOf(c));
          p[2] = static_cast<std::uint8_t>(RedOf(c));
        }
      }
    }
    if (graphic.Progress(y, height)) break;
  }
  if (hasAlpha) alpha.Composite(graphic, background);
}

TPGFileInfo TTGAFileFormatReader::GetInfo(TPGStream& stream, int index,
                                          const TPGFormatContext& context) const {
  TPGFileInfo info = TFileFormatReader::GetInfo(stream, index, context);
  if (index != 0) RaiseTGA(pgmInvalidValueFor, "Index");
  const TTGAHeader header = ReadHeader(stream);
  switch (header.ImageType & 7) {
    case 1: info.DescriptionText = "Color-mapped"; break;
    case 2: info.DescriptionText = "True-color"; break;
    case 3: info.DescriptionText = "\"Black-and-white\""; break;
    default: RaiseTGA(pgmInvalidValueFor, "ImageType");
  }
  if (header.ImageType == 1 || header.ImageType == 2 || header.ImageType == 3)
    info.VersionText = "Uncompressed";
  else if (header.ImageType == 9 || header.ImageType == 10 || header.ImageType == 11)
    info.VersionText = "Run-length encoded";
  else
    RaiseTGA(pgmInvalidValueFor, "ImageType");
  info.Width = header.Width;
  info.Height = header.Height;
  info.BitsPerPixel = header.Depth;
  if (header.Depth <= 23)
    info.ColorsText = std::to_string(1L << header.Depth);
  else
    info.ColorsText = header.Depth == 24 ? "16.7M" : "16.7M ?";
  return info;
}
