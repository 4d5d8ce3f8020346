// The command line's GIF options; the reduction and writing are the converter's.
#pragma once

#include <string>

#include "convert/core/GIFConversion.h"
#include "imaging/PGraphic.h"
#include "tools/cli/Cli.h"

bool IsGIFOutput(const std::string& fileName);
// Parses "R,G,B"; raises TUsageError when it is not three values 0..255.
TRGB ParseTransparentColor(const std::string& value);
