// GIF variable-length-code LZW decoding (codes least significant bit first, split over data
// sub-blocks). The tables hold 4096 codes, so minimum code sizes above 11 are not decodable.
#pragma once

#include <cstddef>
#include <cstdint>

#include "view/GIFByteReader.h"

inline constexpr int GIFMaxMinCodeSize = 11;

// Receives the decoded pixels in order; answers false when it wants no more (all rows
// written, or loading aborted).
class TGIFPixelSink {
 public:
  virtual ~TGIFPixelSink() = default;
  virtual bool Put(const std::uint8_t* pixels, std::size_t count) = 0;
};

enum class TGIFLzwResult {
  EndCode,     // the end-of-information code
  SinkFull,    // the sink took every pixel it wanted
  DataEnd,     // the sub-blocks (or the file) ended first
  BadCode,     // a code beyond the next free table entry
};

// Decodes the data sub-blocks that follow the minimum-code-size byte. On return the reader
// stands after the sub-blocks' terminator (or at the end of the data). `minCodeSize` must lie
// within 0..GIFMaxMinCodeSize.
TGIFLzwResult GIFDecodeLzw(TGIFByteReader& reader, int minCodeSize, TGIFPixelSink& sink);
