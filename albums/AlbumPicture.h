// One album picture drawn into its place on a page: raster pictures through the format
// readers, stretched in precise quality to the place's pixels; Windows and enhanced metafiles
// played by the metafile player at that size.
#pragma once

#include <QImage>
#include <QString>
#include <memory>
#include <string>

#include "albums/core/AlbumLayout.h"

class QPainter;

// A loaded picture: its natural size, and its pixels once rendered for a place.
class TAlbumPicture {
 public:
  virtual ~TAlbumPicture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The picture at width x height pixels (24-bit); raises EPixelGraphic or EAlbumError.
  virtual QImage Render(int width, int height) const = 0;
};

// Loads a picture by its extension (metafiles) or content (the rest); raises EPixelGraphic
// or EAlbumError when it cannot be read.
std::unique_ptr<TAlbumPicture> LoadAlbumPicture(const std::string& path);

// Draws the picture fitted inside the cell's border; false when the cell is too small for
// it. Raises when rendering fails.
bool DrawAlbumPicture(QPainter& canvas, const TAlbumPicture& picture, const TCellRect& cell,
                      int border);
