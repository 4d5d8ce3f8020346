#include <algorithm>
#include <utility>
#include <vector>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/JPEGCMYK.h"
#include "imaging/formats/JPEGFormat.h"
#include "imaging/formats/JPEGLibrary.h"

namespace {

// The smallest JPEG data for a picture is about one bit per 8 x 8 block of each component;
// storage beyond this ratio to the data left cannot come from a real file.
constexpr double JPEGMaxExpansion = 8192.0;

void SwapRedBlue(std::uint8_t* row, int width) {
  for (int x = 0; x < width; ++x, row += 3) std::swap(row[0], row[2]);
}

}  // namespace

void TJPGFileFormatReader::ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                                          const TPGFormatContext& context) const {
  if (index != 0) RaiseJPG(pgmInvalid, "Index");
  graphic.Gamma = context.ScreenGamma;
  TJPEGDecompressor d(stream, graphic.ReadWarningAction, context);
  jpeg_decompress_struct* cinfo = &d.Info;
  JPEGCall(d.Err, [&] { jpeg_read_header(cinfo, TRUE); });

  cinfo->scale_num = 1;
  cinfo->scale_denom = 1;
  cinfo->dct_method =
      graphic.PreviewLoad ? JDCT_IFAST : JPEGDCTMethod(context.Settings.JPEGReadDCTMethod);
  cinfo->quantize_colors = FALSE;
  cinfo->dither_mode = JDITHER_NONE;
  cinfo->two_pass_quantize = FALSE;
  // Colour rows arrive in the storage order, blue, green, red.
  if (cinfo->out_color_space == JCS_RGB) cinfo->out_color_space = JCS_EXT_BGR;
  // CMYK and YCCK files arrive as CMYK and are converted row by row.
  if (cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK)
    cinfo->out_color_space = JCS_CMYK;

  const std::int64_t dataLeft = stream.Remaining() + d.Buffered();
  const int bits = cinfo->num_components == 1 ? 8 : 24;
  if (!PGStorageIsPlausible(cinfo->image_width, cinfo->image_height, bits, dataLeft,
                            JPEGMaxExpansion))
    RaiseJPG(pgmOutOfRange, "Image size");
  // Progressive and multi-scan files keep every coefficient of the image in memory (about as
  // much as the pixels); the library may use that much and some working space, no more.
  const std::uint64_t storage =
      std::uint64_t{cinfo->image_width} * cinfo->image_height * static_cast<unsigned>(bits / 8);
  cinfo->mem->max_memory_to_use = static_cast<long>(2 * storage + (64 << 20));
  JPEGCall(d.Err, [&] { jpeg_start_decompress(cinfo); });

  TPixelFormat format;
  switch (cinfo->output_components) {
    case 1: format = pf8Bit; break;
    case 3: format = pf24Bit; break;
    case 4:
      if (cinfo->out_color_space != JCS_CMYK) RaiseJPG(pgmNotSupportedSubformat);
      format = pf24Bit;
      break;
    default: RaiseJPG(pgmNotSupportedSubformat);
  }
  const int width = static_cast<int>(cinfo->output_width);
  const int height = static_cast<int>(cinfo->output_height);
  graphic.SetSize(width, height, format);
  if (format == pf8Bit) graphic.SetPaletteIdent(pGray256);
  // Three components that the library does not convert (an unknown colour space) come in
  // file order and are taken as red, green, blue.
  const bool cmyk = cinfo->out_color_space == JCS_CMYK;
  const bool swap = format == pf24Bit && cinfo->out_color_space != JCS_EXT_BGR && !cmyk;
  std::vector<std::uint8_t> cmykRow(cmyk ? 4 * static_cast<std::size_t>(width) : 0);

  {
    TPGProgressScope progress(graphic);
    while (cinfo->output_scanline < cinfo->output_height) {
      const int y = static_cast<int>(cinfo->output_scanline);
      JSAMPROW row = cmyk ? cmykRow.data() : graphic.ScanLine(y);
      JPEGCall(d.Err, [&] { jpeg_read_scanlines(cinfo, &row, 1); });
      if (cmyk) ConvertJPEGCMYKRow(row, graphic.ScanLine(y), width, cinfo->saw_Adobe_marker);
      if (swap) SwapRedBlue(row, width);
      if (graphic.Progress(static_cast<int>(cinfo->output_scanline), height)) break;
    }
  }
  // After an abort the library refuses to finish with rows unread, which ends the read with
  // its "too few scanlines" error; the rows read so far stay in the image.
  JPEGCall(d.Err, [&] { jpeg_finish_decompress(cinfo); });
}

TPGFileInfo TJPGFileFormatReader::GetInfo(TPGStream& stream, int index,
                                          const TPGFormatContext& context) const {
  TPGFileInfo info = TFileFormatReader::GetInfo(stream, index, context);
  if (index != 0) RaiseJPG(pgmInvalidValueFor, "Index");
  TJPEGDecompressor d(stream, pgwaRaise, context);
  jpeg_decompress_struct* cinfo = &d.Info;
  JPEGCall(d.Err, [&] { jpeg_read_header(cinfo, TRUE); });

  info.Width = static_cast<int>(cinfo->image_width);
  info.Height = static_cast<int>(cinfo->image_height);
  const int components = cinfo->num_components;
  info.BitsPerPixel = 8 * components;
  static const char* const colors[] = {"256", "64K", "16.7M", "4294.9M"};
  info.ColorsText = components >= 1 && components <= 4 ? colors[components - 1] : "?";
  static const char* const spaces[] = {"unknown", "GrayScale", "RGB", "YCbCr", "CMYK", "YCbCrK"};
  const int space = static_cast<int>(cinfo->jpeg_color_space);
  std::string version = space >= 0 && space <= 5 ? spaces[space] : "";
  if (cinfo->progressive_mode) version += ", Progressive";
  if (cinfo->saw_Adobe_marker) version = "Adope, " + version;
  if (cinfo->saw_JFIF_marker) version = "JFIF, " + version;
  info.VersionText = version;
  return info;
}
