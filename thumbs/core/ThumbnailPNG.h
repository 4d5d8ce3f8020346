// The PNG files of the shared thumbnail cache: a 24-bit picture with text keys, written and
// read through libpng.
#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "imaging/PGraphic.h"

using TPNGTextKeys = std::map<std::string, std::string>;

// Writes the 24-bit picture with the text keys (tEXt chunks before the pixels) to an open
// file. Raises EPGPNGFileFormatReaderWriter on failure.
void WriteThumbnailPNG(std::FILE* file, const TPixelGraphic& picture, const TPNGTextKeys& keys);

// Reads a PNG of any colour type into a 24-bit picture, transparent pixels composed over
// `background`, and returns every text key of the file. Raises EPGPNGFileFormatReaderWriter
// for files libpng rejects, for sizes beyond `maxSide`, for files over 4 MB and for chunks
// whose length reaches beyond the end of the file.
TPNGTextKeys ReadThumbnailPNG(std::FILE* file, TPixelGraphic& picture, TRGB background,
                              int maxSide);
