#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/AlphaComposite.h"
#include "imaging/formats/TIFFDirectory.h"
#include "imaging/formats/TIFFFormat.h"
#include "imaging/formats/TIFFLibtiff.h"
#include "imaging/formats/TIFFPackBits.h"

namespace {

constexpr std::uint32_t PackBits = 32773;

void CheckCompression(std::uint32_t compression) {
  switch (compression) {
    case 1:
    case PackBits: return;
    case 2: RaiseTIFF("Unsupported compression CCITT 1D");
    case 3: RaiseTIFF("Unsupported compression Group 3 Fax");
    case 4: RaiseTIFF("Unsupported compression Group 4 Fax");
    case 5: RaiseTIFF("Unsupported compression LZW");
    case 6: RaiseTIFF("Unsupported compression JPEG");
    default: RaiseTIFF("Unsupported compression " + std::to_string(compression));
  }
}

// One strip offset where the rows need several: the strip is read as one, after a warning
// the image's warning action may turn into a refusal.
void CheckStripCount(TTIFFDirectory& d, TPGWarningAction action, const TPGFormatContext& context) {
  const std::uint64_t needed =
      (std::uint64_t{d.Height} + d.RowsPerStrip - 1) / d.RowsPerStrip;
  if (needed == d.StripOffsets.size()) return;
  const std::string text = "NumStripOffsets<>(ImageLength+RowsPerStrip-1) div RowsPerStrip";
  if (d.StripOffsets.size() > 1) RaiseTIFF(text);
  if (context.AskWarning(action, "TIFF-Warning", text) != pgwGoOn) RaiseTIFF(text);
  d.RowsPerStrip = d.Height;
}

void SetPalette(TPixelGraphic& graphic, const TTIFFDirectory& d) {
  const std::uint32_t bits = d.BitsPerSample[0];
  if (d.Photometric != 3 || bits == 1) {
    graphic.SetPaletteIdent(bits == 1 ? pBlackWhite : bits == 4 ? pGray16 : pGray256);
    return;
  }
  // n reds, n greens, n blues of 16 bits; no more entries than the pixels can address.
  const std::size_t n = d.ColorMap.size() / 3;
  const int count = static_cast<int>(std::min<std::size_t>(n, std::size_t{1} << bits));
  graphic.SetPaletteCount(count);
  for (int i = 0; i < count; ++i)
    graphic.SetPaletteColor(i, RGBColor(static_cast<int>(d.ColorMap[i] >> 8),
                                        static_cast<int>(d.ColorMap[n + i] >> 8),
                                        static_cast<int>(d.ColorMap[2 * n + i] >> 8)));
}

// Moves one file row into image row `out`.
void ConvertRow(const TTIFFDirectory& d, const std::uint8_t* in, std::uint8_t* out, int width,
                std::size_t length, TRGB background) {
  const std::uint32_t bits = d.BitsPerSample[0];
  if (d.SamplesPerPixel == 1) {
    // 1, 4 and 8-bit rows have the storage layout; WhiteIsZero data is inverted.
    const bool invert = d.Photometric == 0;
    for (std::size_t i = 0; i < length; ++i) out[i] = invert ? static_cast<std::uint8_t>(~in[i]) : in[i];
    if (bits == 1 && (width & 7)) out[length - 1] &= static_cast<std::uint8_t>(0xFF00 >> (width & 7));
    if (bits == 4 && (width & 1)) out[length - 1] &= 0xF0;
    return;
  }
  if (d.SamplesPerPixel == 3) {
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
    return;
  }
  if (d.Alpha() != TTIFFDirectory::alNone)
    return PGCompositeRGBARow(d.Alpha() == TTIFFDirectory::alAssociated, in, out, width,
                              background);
  const bool cmyk = d.Photometric == 5;
  for (int x = 0; x < width; ++x, in += 4, out += 3) {
    if (cmyk) {
      const int k = in[3];
      out[0] = static_cast<std::uint8_t>(std::max(255 - in[2] - k, 0));
      out[1] = static_cast<std::uint8_t>(std::max(255 - in[1] - k, 0));
      out[2] = static_cast<std::uint8_t>(std::max(255 - in[0] - k, 0));
    } else {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
}

}  // namespace

void TTIFFileFormatReader::ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                                          const TPGFormatContext& context) const {
  if (ReadTIFFThroughLibtiff(stream, graphic, index, context)) return;
  TTIFFDirectory d = ReadTIFFDirectory(stream, index, context.Settings);
  CheckCompression(d.Compression);
  if (d.StripOffsets.empty()) RaiseTIFF("Invalid StripOffsets");
  if (d.RowsPerStrip == 0) RaiseTIFF("Invalid RowsPerStrip");
  CheckStripCount(d, graphic.ReadWarningAction, context);

  const TPixelFormat format = d.Format();
  // Rows may share strips, so data can be reused; PackBits stores up to 64 bytes per byte and
  // 1-bit rows of narrow images take 4 storage bytes per data byte.
  const double expansion = d.Compression == PackBits ? 256.0 : 32.0;
  if (d.Width > INT_MAX || d.Height > INT_MAX ||
      !PGStorageIsPlausible(d.Width, d.Height, BitCountOf(format), stream.Size() - d.Base,
                            expansion))
    RaiseTIFF(PGMessage(pgmOutOfRange, "Image size"));
  const int width = static_cast<int>(d.Width);
  const int height = static_cast<int>(d.Height);
  const TRGB background = graphic.BackGroundRGB();
  graphic.SetSize(width, height, format);
  if (format != pf24Bit) SetPalette(graphic, d);
  if (graphic.Empty()) return;

  const std::uint64_t length =
      (std::uint64_t{d.BitsPerSample[0]} * d.SamplesPerPixel * d.Width + 7) / 8;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(length));
  TPackBitsDecoder decoder(stream);
  std::int64_t position = 0;
  TPGProgressScope progress(graphic);
  for (int y = 0; y < height; ++y) {
    if (static_cast<std::uint32_t>(y) % d.RowsPerStrip == 0) {
      position = d.Base + d.StripOffsets[static_cast<std::uint32_t>(y) / d.RowsPerStrip];
      decoder.Start(position);
    }
    if (d.Compression == PackBits) {
      decoder.DecodeRow(row.data(), row.size(), y);
    } else {
      stream.Seek(position);
      if (!stream.ReadFull(row.data(), row.size())) RaiseTIFF(PGMessage(pgmUnexpectedEnd));
      position += static_cast<std::int64_t>(row.size());
    }
    ConvertRow(d, row.data(), graphic.ScanLine(y), width, row.size(), background);
    if (graphic.Progress(y, height)) break;
  }
}

TPGFileInfo TTIFFileFormatReader::GetInfo(TPGStream& stream, int index,
                                          const TPGFormatContext& context) const {
  TPGFileInfo info = TFileFormatReader::GetInfo(stream, index, context);
  if (DescribeTIFFThroughLibtiff(stream, index, context, info)) return info;
  const TTIFFDirectory d = ReadTIFFDirectory(stream, index, context.Settings);
  info.ImageCount = d.ImageCount;
  info.Width = static_cast<int>(std::min<std::uint32_t>(d.Width, INT_MAX));
  info.Height = static_cast<int>(std::min<std::uint32_t>(d.Height, INT_MAX));
  info.BitsPerPixel = d.BitsPerPixel();
  info.ColorsText = info.BitsPerPixel > 23 ? "16.7 M" : std::to_string(1L << info.BitsPerPixel);
  std::string version = d.Motorola ? "M, " : "I, ";
  switch (d.Compression) {
    case 1: version += "Uncompr."; break;
    case 2: version += "CCITT 1D"; break;
    case 3: version += "Group 3 F."; break;
    case 4: version += "Group 4 F."; break;
    case 5: version += "LZW"; break;
    case 6: version += "JPEG"; break;
    case PackBits: version += "PackBits"; break;
    default: break;
  }
  switch (d.Photometric) {
    case 0: version += ", WhiteIsZero"; break;
    case 1: version += ", BlackIsZero"; break;
    case 2: version += ", RGB"; break;
    case 3: version += ", RGB Palette"; break;
    case 5: version += ", CMYK"; break;
    default: RaiseTIFF("Unsupported photometric interpretation " + std::to_string(d.Photometric));
  }
  info.VersionText = version;
  if (d.Compression >= 2 && d.Compression <= 6) info.DescriptionText = "(Unsupported compression)";
  else if (!d.ExtraSamples.empty())
    info.DescriptionText = "(" + TIFFExtraSamplesText(d.ExtraSamples[0]) + ")";
  return info;
}
