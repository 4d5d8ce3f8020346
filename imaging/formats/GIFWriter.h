// WriteGIFFile: stores a picture of at most 256 distinct colours as a single-image GIF89a.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/PGraphic.h"

// Status codes the writer leaves behind for callers that show them.
enum TGIFWriteStatus : int {
  gwsOK = 0,
  gwsComposing = 2,
  gwsTooManyColors = 4,
  gwsBuildingColorTable = 6,
};

// Builds the whole file in `out`. False (out unchanged) when the picture has more than 256
// distinct colours or no pixels.
bool EncodeGIF(const TPixelGraphic& bitmap, bool interlaced, TRGB transparentColor,
               bool transparent, std::vector<std::uint8_t>& out);

// Writes the file only when encoding succeeded; false when it did not. File system errors
// raise EPixelGraphic.
bool WriteGIFFile(const std::string& fileName, const TPixelGraphic& bitmap, bool interlaced,
                  TRGB transparentColor, bool transparent);

// The status code of the last EncodeGIF / WriteGIFFile on this thread.
int GIFWriteStatus();
