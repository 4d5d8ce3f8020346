// The converter's GIF output: colour reduction to an optimised palette, then the GIF writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/PGraphic.h"

struct TGIFOutputOptions {
  bool Interlaced = false;
  bool Transparent = false;
  TRGB TransparentColor = 0;
};

// Reduces source to 252 colours (with the 16 system colours), dithered with RGB weighting,
// and writes it beside the target under a temporary name that replaces the target only when
// the whole file was written; with Transparent, exactly the pixels of TransparentColor are
// transparent. Raises EPixelGraphic when the file cannot be encoded or written. False when a
// transparent colour was asked for and does not occur in the picture (the file is written
// without one).
bool SaveAsGIF(const TPixelGraphic& source, const std::string& fileName,
               const TGIFOutputOptions& options);

// After `reduced` (8-bit, the size of `source`) was reduced from `source`: the pixels whose
// source colour is `color` take one palette entry that holds exactly that colour, and no
// other pixel keeps that entry or any entry of that colour (the writer marks the colour
// transparent). False, and nothing changed, when no pixel of the source has the colour.
bool KeepTransparentColor(const TPixelGraphic& source, TPixelGraphic& reduced, TRGB color);

// Writes `bytes` to a temporary file beside `fileName` and renames it over `fileName`; on any
// failure the temporary file is removed, an existing file is untouched and EPixelGraphic is
// raised.
void ReplaceFileWith(const std::string& fileName, const std::vector<std::uint8_t>& bytes);
