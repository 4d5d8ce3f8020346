// TIFF variants our own reader does not decode (LZW, Deflate, fax and JPEG compression, tiles,
// separate planes, 2 and 16-bit samples, YCbCr, extra samples...), read through libtiff.
#pragma once

#include "imaging/PGraphic.h"
#include "imaging/formats/FileFormat.h"
#include "imaging/formats/FormatContext.h"
#include "imaging/formats/PGStream.h"

// Reads image `index` from the stream's position through libtiff when the file is a variant
// our reader reports as unsupported, into the nearest picture format: 1-bit stays 1-bit,
// palette stays palette, grey stays grey, the rest becomes 24-bit with alpha blended onto the
// background colour. Returns false (stream position kept) when our reader should read it or
// refuse it itself.
bool ReadTIFFThroughLibtiff(TPGStream& stream, TPixelGraphic& graphic, int index,
                            const TPGFormatContext& context);

// Describes such a variant for GetInfo; false when our reader's description applies.
bool DescribeTIFFThroughLibtiff(TPGStream& stream, int index, const TPGFormatContext& context,
                                TPGFileInfo& info);
