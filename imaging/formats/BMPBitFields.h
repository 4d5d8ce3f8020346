// Bitmap pixels of 16 or 32 bits whose colour channels (and alpha) are picked out by masks.
#pragma once

#include <cstdint>

#include "imaging/PGraphic.h"
#include "imaging/formats/BMPHeader.h"

// The masks of a 16 or 32-bit file: those of the header or of the 12 bytes after it for bit
// fields (compression 3), else 5-5-5 for 16 bits and 8-8-8 for 32; alpha only with bit fields
// in a header that has an alpha mask.
void BMPDefaultMasks(const TBMPHeader& header, std::uint32_t (&masks)[4]);

// Reads the rows into the 24-bit image. Channels narrower than 8 bits are widened by bit
// replication (white stays 255), except 16-bit data without expand16Bit (BMPRead16BitExpand),
// which is only shifted; pixels with an alpha mask are blended onto `background`. Returns false
// when the data ends before the last row (the rows not read stay black).
bool ReadBMPBitFields(TPixelGraphic& image, TPGStream& stream, const TBMPHeader& header,
                      const std::uint32_t (&masks)[4], bool expand16Bit, TRGB background);
