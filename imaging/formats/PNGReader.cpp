#include <cstring>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/PNGFormat.h"
#include "imaging/formats/PNGLibrary.h"

namespace {

// Deflate stores at most about 1032 bytes per input byte, and 2-bit samples double in size
// when they become 4-bit pixels.
constexpr double PNGMaxExpansion = 4096.0;

// Turns a row of 2-bit samples into 4-bit pixels in place, from the last pixel to the first
// (each 4-bit byte lies at or after the 2-bit byte it is made from).
void Unpack2Bit(std::uint8_t* row, int width) {
  for (int x = width - 1; x >= 0; --x) {
    const std::uint8_t v = (row[x / 4] >> (6 - 2 * (x % 4))) & 3;
    std::uint8_t& b = row[x / 2];
    if (x & 1)
      b = static_cast<std::uint8_t>((b & 0xF0) | v);
    else
      b = static_cast<std::uint8_t>((v << 4) | (x + 1 < width ? (b & 0x0F) : 0));
  }
}

// Grey files of fewer than 8 bits: a 0..255 grey level becomes the nearest sample value, and
// a sample value becomes the grey of the pixel that shows it (the grey palettes pBlackWhite,
// pGray4 and pGray16 are exactly these levels).
int GrayToSample(int gray, int depth) {
  const int top = (1 << depth) - 1;
  return (gray * top + 127) / 255;
}
int SampleToGray(int sample, int depth) {
  const int top = (1 << depth) - 1;
  return sample * 255 / top;
}

// A 0..255 channel in the scale libpng expects for the background of a file whose 16-bit
// samples are stripped to 8 bits: the 8-bit value in the high byte, low byte 0 (libpng
// 1.6 folds a non-zero low byte into the result, so 0xFFFF would blend as 254).
png_uint_16 ToSampleScale(int value, int depth) {
  return static_cast<png_uint_16>(depth == 16 ? value * 256 : value);
}

// The 0..255 colour of a background chunk.
TRGB BackgroundChunkColor(const png_color_16& b, int colorType, int depth, png_structp png,
                          png_infop info) {
  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    png_colorp palette = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &palette, &count);
    if (b.index < count)
      return RGBColor(palette[b.index].red, palette[b.index].green, palette[b.index].blue);
    return 0;
  }
  const auto channel = [depth](png_uint_16 v) -> int {
    if (depth == 16) return v >> 8;
    if (depth < 8) return SampleToGray(v & ((1 << depth) - 1), depth);
    return v & 0xFF;
  };
  if (colorType & PNG_COLOR_MASK_COLOR) return RGBColor(channel(b.red), channel(b.green), channel(b.blue));
  const int g = channel(b.gray);
  return RGBColor(g, g, g);
}

}  // namespace

bool TPNGFileFormatReader::CheckHeader(const std::uint8_t* header) const {
  static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  return std::memcmp(header, signature, 8) == 0;
}

void TPNGFileFormatReader::ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                                          const TPGFormatContext& context) const {
  if (index != 0) RaisePNG(pgmInvalid, "Index");
  CheckPNGLibraryVersion();
  graphic.Gamma = context.ScreenGamma;
  const TRGB currentBackground = graphic.BackGroundRGB();
  TPNGReadStruct r(stream, graphic.ReadWarningAction, context);
  png_structp png = r.Png;
  png_infop info = r.Info;
  PNGCall(r.Context, [&] { png_read_info(png, info); });

  png_uint_32 width = 0, height = 0;
  int depth = 0, colorType = 0;
  PNGCall(r.Context, [&] {
    png_get_IHDR(png, info, &width, &height, &depth, &colorType, nullptr, nullptr, nullptr);
  });
  const int channels = png_get_channels(png, info);
  TPixelFormat format;
  if (channels > 2)
    format = pf24Bit;
  else if (depth == 1)
    format = pf1Bit;
  else if (depth <= 4)
    format = pf4Bit;
  else
    format = pf8Bit;
  if (!PGStorageIsPlausible(width, height, BitCountOf(format), stream.Remaining(),
                            PNGMaxExpansion))
    RaisePNG(pgmOutOfRange, "Image size");

  // Transparent and partly transparent pixels are blended onto a background: the file's own
  // when it has one and it is wanted, else the image's background colour. Palette rows stay
  // indices, so palette files are not blended.
  const bool palette = colorType == PNG_COLOR_TYPE_PALETTE;
  const bool transparency =
      png_get_valid(png, info, PNG_INFO_tRNS) || (colorType & PNG_COLOR_MASK_ALPHA);
  bool useChunk = false;
  TRGB chunkColor = 0;
  if (transparency) {
    png_color_16p fileBackground = nullptr;
    if (context.Settings.PNGReadBackground && png_get_bKGD(png, info, &fileBackground)) {
      useChunk = true;
      chunkColor = BackgroundChunkColor(*fileBackground, colorType, depth, png, info);
      if (!palette) {
        png_color_16 background = *fileBackground;
        if (depth == 16) {
          background.red &= 0xFF00;
          background.green &= 0xFF00;
          background.blue &= 0xFF00;
          background.gray &= 0xFF00;
        }
        PNGCall(r.Context, [&] {
          png_set_background(png, &background, PNG_BACKGROUND_GAMMA_FILE, 0, 1.0);
        });
      }
    } else if (!palette) {
      png_color_16 background{};
      const int red = RedOf(currentBackground), green = GreenOf(currentBackground),
                blue = BlueOf(currentBackground);
      if (colorType & PNG_COLOR_MASK_COLOR) {
        background.red = ToSampleScale(red, depth);
        background.green = ToSampleScale(green, depth);
        background.blue = ToSampleScale(blue, depth);
      } else {
        const int gray = (red + green + blue) / 3;
        background.gray = depth < 8 ? static_cast<png_uint_16>(GrayToSample(gray, depth))
                                    : ToSampleScale(gray, depth);
      }
      PNGCall(r.Context, [&] {
        png_set_background(png, &background, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
      });
    }
  }

  double fileGamma = 0;
  if (png_get_gAMA(png, info, &fileGamma) && fileGamma > 0) graphic.Gamma = 1.0 / fileGamma;
  // Blending happens in the file's own encoding, like every other pixel operation of the
  // reader: the loader corrects the gamma of the whole image afterwards. (libpng would
  // otherwise blend in linear light whenever the file states a gamma.)
  if (transparency && !palette) PNGCall(r.Context, [&] { png_set_gamma(png, 1.0, 1.0); });

  if (depth == 16) PNGCall(r.Context, [&] { png_set_strip_16(png); });
  if (colorType & PNG_COLOR_MASK_COLOR) PNGCall(r.Context, [&] { png_set_bgr(png); });
  int passes = 1;
  PNGCall(r.Context, [&] { passes = png_set_interlace_handling(png); });
  PNGCall(r.Context, [&] { png_read_update_info(png, info); });

  graphic.SetSize(static_cast<int>(width), static_cast<int>(height), format);
  if (palette) {
    png_colorp entries = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &entries, &count);
    if (count > graphic.MaxPaletteCount()) count = graphic.MaxPaletteCount();
    graphic.SetPaletteCount(count);
    for (int i = 0; i < count; ++i)
      graphic.SetPaletteColor(i, RGBColor(entries[i].red, entries[i].green, entries[i].blue));
  } else if (format != pf24Bit) {
    static const TPaletteIdent grays[] = {pBlackWhite, pGray4, pGray16, pGray256};
    graphic.SetPaletteIdent(grays[depth == 1 ? 0 : depth == 2 ? 1 : depth == 4 ? 2 : 3]);
  }
  if (useChunk) graphic.SetBackGroundColor(chunkColor);
  // A row the storage cannot hold: not a layout this reader asked for.
  if (!graphic.Empty() && png_get_rowbytes(png, info) > graphic.RowBytes())
    RaisePNG(pgmNotSupportedSubformat);

  bool aborted = false;
  {
    TPGProgressScope progress(graphic);
    if (!graphic.Empty()) {
      const int h = static_cast<int>(height);
      for (int pass = 0; pass < passes && !aborted; ++pass) {
        for (int y = 0; y < h; ++y) {
          png_bytep row = graphic.ScanLine(y);
          PNGCall(r.Context, [&] { png_read_row(png, row, nullptr); });
          if (graphic.Progress(y + h * pass, h * passes)) {
            aborted = true;
            break;
          }
        }
      }
      if (depth == 2 && !aborted)
        for (int y = 0; y < h; ++y) Unpack2Bit(graphic.ScanLine(y), static_cast<int>(width));
    }
  }
  if (!aborted) PNGCall(r.Context, [&] { png_read_end(png, nullptr); });
}

TPGFileInfo TPNGFileFormatReader::GetInfo(TPGStream& stream, int index,
                                          const TPGFormatContext& context) const {
  TPGFileInfo info = TFileFormatReader::GetInfo(stream, index, context);
  if (index != 0) RaisePNG(pgmInvalidValueFor, "Index");
  CheckPNGLibraryVersion();
  TPNGReadStruct r(stream, pgwaRaise, context);
  png_structp png = r.Png;
  PNGCall(r.Context, [&] { png_read_info(png, r.Info); });
  png_uint_32 width = 0, height = 0;
  int depth = 0, colorType = 0, interlace = 0;
  PNGCall(r.Context, [&] {
    png_get_IHDR(png, r.Info, &width, &height, &depth, &colorType, &interlace, nullptr, nullptr);
  });
  info.Width = static_cast<int>(width);
  info.Height = static_cast<int>(height);
  info.BitsPerPixel = depth * png_get_channels(png, r.Info);
  switch (info.BitsPerPixel) {
    case 1: info.ColorsText = "2"; break;
    case 2: info.ColorsText = "4"; break;
    case 4: info.ColorsText = "16"; break;
    case 8: info.ColorsText = "256"; break;
    case 16: info.ColorsText = "64K?"; break;
    case 24: info.ColorsText = "16.7M"; break;
    case 32: info.ColorsText = "16.7M?"; break;
    default: info.ColorsText = "?";
  }
  std::string version = "GrayScale";
  if (colorType == PNG_COLOR_TYPE_PALETTE)
    version = "palette";
  else if (colorType & PNG_COLOR_MASK_COLOR)
    version = "RGB";
  if (colorType & PNG_COLOR_MASK_ALPHA) version += ", alpha";
  if (interlace != PNG_INTERLACE_NONE) version += ", interlaced";
  info.VersionText = version;

  static const struct {
    png_uint_32 Flag;
    const char* Name;
  } chunks[] = {{PNG_INFO_gAMA, "gama"}, {PNG_INFO_sBIT, "sbit"}, {PNG_INFO_cHRM, "chrm"},
                {PNG_INFO_PLTE, "plte"}, {PNG_INFO_tRNS, "trns"}, {PNG_INFO_bKGD, "bkgd"},
                {PNG_INFO_hIST, "hist"}, {PNG_INFO_pHYs, "phys"}, {PNG_INFO_oFFs, "offs"},
                {PNG_INFO_tIME, "time"}};
  std::string names;
  for (const auto& chunk : chunks)
    if (png_get_valid(png, r.Info, chunk.Flag)) names += (names.empty() ? "" : ", ") + std::string(chunk.Name);
  if (!names.empty()) info.DescriptionText = "(" + names + ")";
  return info;
}
