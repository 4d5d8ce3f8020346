// Colour-resolution classes of images and the conversion between them for saving.
#pragma once

#include <string>

#include "imaging/formats/FileFormat.h"

// The class of an image (call UpdatePaletteIdent first).
TColorResolution ColorResolutionOf(const TPixelGraphic& image);
// The user-facing text of a class ("256 colors"...).
std::string ColorResolutionText(TColorResolution c);
// The first class of c's preference row that `writable` contains; false when none.
bool PreferredColorResolution(TColorResolution c, TColorResolutions writable,
                              TColorResolution& result);
// Makes target a copy of source in class t: format and palette first, then the pixels through
// CopyFrom with target's default settings. Target gets source's progress events.
void ConvertToColorResolution(const TPixelGraphic& source, TColorResolution t,
                              TPixelGraphic& target);
