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
// and writes it. Raises EPixelGraphic when the file cannot be written.
void SaveAsGIF(const TPixelGraphic& source, const std::string& fileName,
               const TGIFOutputOptions& options);
