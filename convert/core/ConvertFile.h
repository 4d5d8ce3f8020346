// One conversion of a picture file into another format, as the converter and the command line
// make it.
#pragma once

#include <string>

#include "convert/core/GIFConversion.h"
#include "imaging/PGraphic.h"
#include "imaging/formats/FormatContext.h"

struct TConversion {
  // Resize mode: the picture is resampled to fit FitWidth x FitHeight (keeping its aspect
  // ratio, never enlarged) with Quality, then sharpened when Sharpen is set. Off: its own size.
  bool Resize = false;
  int FitWidth = 0;
  int FitHeight = 0;
  TStretchMode Quality = smPrecise;
  bool Sharpen = false;
  // Resize mode on a JPEG file fitted to at most half its size on both sides: decode it at
  // half size (the library's DCT scaling, exact DCT, smooth chroma upsampling) before the
  // resampling, instead of at full size.
  bool ScaledJPEGDecode = true;
  // Writer options; a negative JPEG quality keeps the context's.
  int JPEGQuality = -1;
  TGIFOutputOptions GIF;
  TPGWarningAction WarningAction = pgwaOKBox;
};

struct TConversionResult {
  // False when a transparent GIF colour was asked for and does not occur in the picture.
  bool TransparentColorFound = true;
};

// Loads `input`, converts it as `conversion` says and writes `output` in the format of its
// extension through a temporary file that replaces `output` only on success. Raises
// EPixelGraphic (or std::bad_alloc) on failure; `output` is then as it was.
TConversionResult ConvertFile(const std::string& input, const std::string& output,
                              const TConversion& conversion, const TPGFormatContext& context);
