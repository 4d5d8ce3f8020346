// The converter's GIF output: colour reduction to an optimised palette, then WriteGIFFile.
#pragma once

#include <string>

#include "imaging/PGraphic.h"
#include "tools/cli/Cli.h"

struct TGIFOutputOptions {
  bool Interlaced = false;
  bool Transparent = false;
  TRGB TransparentColor = 0;
};

bool IsGIFOutput(const std::string& fileName);
// Parses "R,G,B"; raises TUsageError when it is not three values 0..255.
TRGB ParseTransparentColor(const std::string& value);
// Reduces source to 252 colours (with the 16 system colours), dithered with RGB weighting,
// and writes it; with Transparent, exactly the pixels of TransparentColor are transparent.
// Raises EPixelGraphic when the file cannot be written. False when a transparent colour was
// asked for and does not occur in the picture (the file is written without one).
bool SaveAsGIF(const TPixelGraphic& source, const std::string& fileName,
               const TGIFOutputOptions& options);

// After `reduced` (8-bit, the size of `source`) was reduced from `source`: the pixels whose
// source colour is `color` take one palette entry that holds exactly that colour, and no
// other pixel keeps that entry or any entry of that colour (the writer marks the colour
// transparent). False, and nothing changed, when no pixel of the source has the colour.
bool KeepTransparentColor(const TPixelGraphic& source, TPixelGraphic& reduced, TRGB color);
