#include "imaging/formats/FormatSettings.h"
#include "imaging/PGMessageIds.h"
#include "imaging/formats/JPEGFormat.h"
#include "imaging/formats/JPEGLibrary.h"

void TJPGFileFormatWriter::WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                                         const TPGFormatContext& context) const {
  TJPEGCompressor c(stream, graphic.ReadWarningAction, context);
  jpeg_compress_struct* cinfo = &c.Info;
  cinfo->image_width = static_cast<JDIMENSION>(graphic.Width());
  cinfo->image_height = static_cast<JDIMENSION>(graphic.Height());
  graphic.UpdatePaletteIdent();
  const bool gray = graphic.PixelFormat() == pf8Bit && graphic.PaletteIdent() == pGray256;
  if (!gray && graphic.PixelFormat() != pf24Bit) RaiseJPG(pgmInvalidValueFor, "BitCount");
  // Grey images: the indices are the grey levels. Colour rows are handed over in the storage
  // order, blue, green, red.
  cinfo->input_components = gray ? 1 : 3;
  cinfo->in_color_space = gray ? JCS_GRAYSCALE : JCS_EXT_BGR;

  JPEGCall(c.Err, [&] { jpeg_set_defaults(cinfo); });
  if (context.Settings.JPEGWriteProgressive)
    JPEGCall(c.Err, [&] { jpeg_simple_progression(cinfo); });
  JPEGCall(c.Err, [&] { jpeg_set_quality(cinfo, context.Settings.JPEGWriteQuality, TRUE); });
  cinfo->dct_method = JPEGDCTMethod(context.Settings.JPEGWriteDCTMethod);
  JPEGCall(c.Err, [&] { jpeg_start_compress(cinfo, TRUE); });

  {
    TPGProgressScope progress(graphic);
    const int height = graphic.Height();
    for (int y = 0; y < height; ++y) {
      JSAMPROW row = graphic.ScanLine(y);
      JPEGCall(c.Err, [&] { jpeg_write_scanlines(cinfo, &row, 1); });
      bool ignoredAbort = graphic.Progress(y + 1, height);
      (void)ignoredAbort;
    }
  }
  JPEGCall(c.Err, [&] { jpeg_finish_compress(cinfo); });
}
