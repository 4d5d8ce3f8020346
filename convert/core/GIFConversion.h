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

// Makes `reduced` an 8-bit picture of width x height (each at least 1) with the optimised
// palette of 252 entries computed from `source` (236 colours of the picture, then the 16
// system colours), resampled from `source` with dithering and RGB weighting.
void ReduceForGIF(const TPixelGraphic& source, int width, int height, TPixelGraphic& reduced);

// Writes the 8-bit `reduced` as a GIF file through a temporary file; with `transparent` the
// palette entry of `transparentColor` is marked transparent. Raises EPixelGraphic when the
// writer reports a failure or the file cannot be written; the old file is then untouched.
void WriteReducedGIF(const TPixelGraphic& reduced, const std::string& fileName, bool interlaced,
                     TRGB transparentColor, bool transparent);

// After `reduced` (8-bit, the size of `source`) was reduced from `source`: the pixels whose
// source colour is `color` take one palette entry that holds exactly that colour, and no
// other pixel keeps that entry or any entry of that colour (the writer marks the colour
// transparent). False, and nothing changed, when no pixel of the source has the colour.
bool KeepTransparentColor(const TPixelGraphic& source, TPixelGraphic& reduced, TRGB color);

// Writes `bytes` to a temporary file beside `fileName` and renames it over `fileName`; on any
// failure the temporary file is removed, an existing file is untouched and EPixelGraphic is
// raised.
void ReplaceFileWith(const std::string& fileName, const std::vector<std::uint8_t>& bytes);
