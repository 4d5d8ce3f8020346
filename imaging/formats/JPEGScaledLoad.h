// Loads a JPEG file at a reduced size: the library decodes at the smallest of its DCT scales
// (1/8 .. 8/8) whose output is not below the size wanted, so a 12-megapixel photograph for a
// 128-pixel thumbnail is decoded at 1/8 and never held at full size.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "imaging/PGraphic.h"

// A size in pixels that a scaled decode must cover.
struct TScaledSize {
  int Width = 0;
  int Height = 0;
};

// Fast suits thumbnails (integer DCT, plain upsampling); Accurate gives the same pixels as the
// full-size reader would at that scale (exact DCT, smooth chroma upsampling), for display and
// conversion.
enum class TJPEGScaledQuality { Fast, Accurate };

// True when the file starts like a JPEG (0xFF 0xD8); false for unreadable files.
bool IsJPEGFile(const std::string& path);

struct TJPEGScaledResult {
  int FullWidth = 0;   // the picture's own size
  int FullHeight = 0;
  int ScaleNum = 8;    // the scale used, ScaleNum / 8
};

// Decodes `path` into `picture` (24-bit) at the smallest scale whose output covers
// wanted(full width, full height) on both sides. Corrupt data that the library can recover
// from is accepted; anything else raises EPGJPGFileFormatReaderWriter ("JPG: ...").
TJPEGScaledResult LoadJPEGScaled(const std::string& path, TPixelGraphic& picture,
                                 const std::function<TScaledSize(int, int)>& wanted,
                                 TJPEGScaledQuality quality = TJPEGScaledQuality::Fast);
// The same from an open file of `fileSize` bytes, read from its current position.
TJPEGScaledResult LoadJPEGScaled(std::FILE* file, long fileSize, TPixelGraphic& picture,
                                 const std::function<TScaledSize(int, int)>& wanted,
                                 TJPEGScaledQuality quality = TJPEGScaledQuality::Fast);
