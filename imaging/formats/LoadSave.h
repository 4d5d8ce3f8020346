// Loading and saving images through the format registry.
#pragma once

#include <functional>
#include <string>

#include "imaging/PGraphic.h"
#include "imaging/formats/PGStream.h"

// Loads image 0 / image `index` of a file; the reader is found by content, then extension.
void LoadFromFile(TPixelGraphic& image, const std::string& fileName);
void LoadFromFileIndex(TPixelGraphic& image, const std::string& fileName, int index);
// Content recognition only.
void LoadFromStream(TPixelGraphic& image, TPGStream& stream);
void LoadFromStreamExt(TPixelGraphic& image, TPGStream& stream, const std::string& extension,
                       int index);

// Saves by the file's extension, converting the colour resolution when the writer needs it.
// The file is written beside the target under a temporary name and replaces the target only
// when the writer succeeded, so a failed save leaves an existing file untouched and creates none.
void SaveToFile(TPixelGraphic& image, const std::string& fileName);
void SaveToStreamAs(TPixelGraphic& image, TPGStream& stream, const std::string& extension);
// The image in BMP form through the library's own writer; no conversion.
void SaveToStream(TPixelGraphic& image, TPGStream& stream);

// Persistence: a 32-bit length followed by the image in BMP form.
void ReadData(TPixelGraphic& image, TPGStream& stream);
void WriteData(TPixelGraphic& image, TPGStream& stream);

// The warning box of the save path. Receives the caption, the text and whether a Cancel
// button is offered; returns true for OK. Without a hook every warning is answered OK.
using TPGWarningBoxHook =
    std::function<bool(const std::string& caption, const std::string& text, bool withCancel)>;
void SetPGWarningBoxHook(TPGWarningBoxHook hook);
// Shows a warning box through the hook (readers use it for recoverable problems); true for
// OK, also when no hook is set.
bool PGWarningBox(const std::string& caption, const std::string& text, bool withCancel);

// Applies gamma correction with exponent gamma / ScreenGamma when it differs by more than 5 %.
void ApplyReadGamma(TPixelGraphic& image);
