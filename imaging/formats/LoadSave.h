// Loading and saving images through the format registry.
#pragma once

#include <functional>
#include <string>

#include "imaging/PGraphic.h"
#include "imaging/formats/FormatContext.h"
#include "imaging/formats/PGStream.h"

// Every load and save works with one format context: the forms without a context capture the
// library-wide one (CaptureFormatContext) once when they start; the forms with one use it, so a
// caller can give a call its own settings or warning box.

// Loads image 0 / image `index` of a file; the reader is found by content, then extension.
void LoadFromFile(TPixelGraphic& image, const std::string& fileName);
void LoadFromFileIndex(TPixelGraphic& image, const std::string& fileName, int index);
void LoadFromFileIndex(TPixelGraphic& image, const std::string& fileName, int index,
                       const TPGFormatContext& context);
// Content recognition only.
void LoadFromStream(TPixelGraphic& image, TPGStream& stream);
void LoadFromStreamExt(TPixelGraphic& image, TPGStream& stream, const std::string& extension,
                       int index);
void LoadFromStreamExt(TPixelGraphic& image, TPGStream& stream, const std::string& extension,
                       int index, const TPGFormatContext& context);

// Saves by the file's extension, converting the colour resolution when the writer needs it.
// The file is written beside the target under a temporary name and replaces the target only
// when the writer succeeded, so a failed save leaves an existing file untouched and creates none.
void SaveToFile(TPixelGraphic& image, const std::string& fileName);
void SaveToFile(TPixelGraphic& image, const std::string& fileName, const TPGFormatContext& context);
void SaveToStreamAs(TPixelGraphic& image, TPGStream& stream, const std::string& extension);
void SaveToStreamAs(TPixelGraphic& image, TPGStream& stream, const std::string& extension,
                    const TPGFormatContext& context);
// The image in BMP form through the library's own writer; no conversion.
void SaveToStream(TPixelGraphic& image, TPGStream& stream);

// Persistence: a 32-bit length followed by the image in BMP form.
void ReadData(TPixelGraphic& image, TPGStream& stream);
void WriteData(TPixelGraphic& image, TPGStream& stream);

// Applies gamma correction with exponent gamma / ScreenGamma (both of the context) when it
// differs by more than 5 % and the context's GammaCorrectionOnRead is set.
void ApplyReadGamma(TPixelGraphic& image, const TPGFormatContext& context);
