#include <vector>

#include <zlib.h>

#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/PNGFormat.h"
#include "imaging/formats/PNGLibrary.h"

namespace {

// True-colour rows: every filter is tried per row (libpng's adaptive choice, the smallest sum
// of differences), and the filtered bytes are deflated as runs of the previous byte with
// Huffman codes in blocks of 32K symbols. Measured on 24-megapixel photos (bench/
// compare_png_save.sh): zlib's level 6 takes four to six times as long for files of about
// the same size, since filtered photo rows hold few longer matches; this saves faster than
// `vips copy` (no filters, level 6) into files 40 % smaller than vips's and no larger than
// ImageMagick's (level 7, adaptive filters) for photos with sensor grain. Grainless, smooth
// pictures (strongly enlarged ones) come out about a tenth larger than ImageMagick's.
// Palette and grey rows keep libpng's defaults (no filters for palette pictures).
void ChooseTrueColorCompression(png_structp png) {
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  png_set_compression_strategy(png, Z_RLE);
  png_set_compression_mem_level(png, 9);
  png_set_compression_buffer_size(png, 1 << 17);
}

}  // namespace

void TPNGFileFormatWriter::WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                                         const TPGFormatContext& context) const {
  CheckPNGLibraryVersion();
  TPNGWriteStruct w(stream, graphic.ReadWarningAction, context);
  png_structp png = w.Png;
  png_infop info = w.Info;

  const bool trueColor = graphic.PixelFormat() == pf24Bit;
  const int depth = trueColor ? 8 : graphic.BitCount();
  const bool gray = !trueColor && graphic.PaletteIdent() == pGray256;
  const int colorType =
      trueColor ? PNG_COLOR_TYPE_RGB : gray ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_PALETTE;
  const auto width = static_cast<png_uint_32>(graphic.Width());
  const auto height = static_cast<png_uint_32>(graphic.Height());
  PNGCall(w.Context, [&] {
    png_set_IHDR(png, info, width, height, depth, colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  });
  // The palette chunk holds every palette entry the pixels can address.
  std::vector<png_color> palette;
  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    const int count = std::min(graphic.PaletteCount(), 1 << depth);
    for (int i = 0; i < count; ++i) {
      const TRGB c = graphic.PaletteColor(i);
      palette.push_back({static_cast<png_byte>(RedOf(c)), static_cast<png_byte>(GreenOf(c)),
                         static_cast<png_byte>(BlueOf(c))});
    }
    PNGCall(w.Context, [&] {
      png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    });
  }
  if (context.Settings.WriteGamma && graphic.Gamma > 0)
    PNGCall(w.Context, [&] { png_set_gAMA(png, info, 1.0 / graphic.Gamma); });

  if (trueColor) PNGCall(w.Context, [&] { ChooseTrueColorCompression(png); });
  PNGCall(w.Context, [&] { png_write_info(png, info); });
  if (trueColor) PNGCall(w.Context, [&] { png_set_bgr(png); });
  {
    TPGProgressScope progress(graphic);
    const int h = graphic.Height();
    for (int y = 0; y < h; ++y) {
      png_bytep row = graphic.ScanLine(y);
      PNGCall(w.Context, [&] { png_write_row(png, row); });
      bool ignoredAbort = graphic.Progress(y, h - 1);
      (void)ignoredAbort;
    }
  }
  PNGCall(w.Context, [&] { png_write_end(png, info); });
}
