// TThumbnailMaker: the square thumbnail cells of the thumbnail explorer. Plain C++; one maker
// may serve several threads at once.
//
// A picture is read from the shared thumbnail cache when a current entry exists; otherwise
// JPEGs are decoded at a reduced DCT scale and other formats through the format registry, the
// cache entry is written, and the picture is reduced by area averaging. The thumbnail is
// centred horizontally against the top edge of an S x S cell of the background colour.
#pragma once

#include <memory>
#include <string>

#include "imaging/PGraphic.h"
#include "thumbs/core/ThumbGeometry.h"

class TThumbnailCache;

struct TThumbnailCell {
  std::unique_ptr<TPixelGraphic> Cell;  // S x S, 24-bit
  TThumbSize Thumb;                     // the thumbnail inside it, at ((S - width) div 2, 0)
  bool Placeholder = false;             // the file could not be loaded
  bool FromCache = false;
};

class TThumbnailMaker {
 public:
  // `cache` may be null or off.
  explicit TThumbnailMaker(const TThumbnailCache* cache = nullptr) : FCache(cache) {}

  // The cell of the file at `path`. A file that cannot be loaded gets the placeholder;
  // other failures raise.
  TThumbnailCell Make(const std::string& path, int side, TRGB background) const;

  // The cell of a picture already in memory.
  static TThumbnailCell MakeFromPicture(const TPixelGraphic& picture, int side, TRGB background);

  // Resamples `picture` into `target` (24-bit, width x height), area averaging when reducing.
  static void Resample(TPixelGraphic& target, const TPixelGraphic& picture, TThumbSize size);

 private:
  // Loads the picture (at a reduced scale when possible) and writes the cache entry; returns
  // the picture's own size.
  TThumbSize LoadPicture(const std::string& path, int side, TPixelGraphic& picture) const;

  const TThumbnailCache* FCache;
};

// Places a thumbnail into a new S x S cell of the background colour.
std::unique_ptr<TPixelGraphic> MakeCell(const TPixelGraphic& thumb, int side, TRGB background);
