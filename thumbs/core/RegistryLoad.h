// Loads pictures for thumbnails: JPEGs, the bulk of most folders, at a reduced DCT scale
// through LoadJPEGScaled; other formats through the format registry, whose readers run on
// several threads at once.
#pragma once

#include <functional>
#include <string>

#include "imaging/PGraphic.h"
#include "thumbs/core/ThumbGeometry.h"

// Read warnings are ignored; with `preview` metafiles render at a thumbnail's size.
void LoadThroughRegistry(const std::string& path, TPixelGraphic& picture, bool preview);

// Loads the picture at a size that covers wanted(full width, full height) (JPEGs at a reduced
// DCT scale, other formats whole) and returns its full size. Raises on failure.
TThumbSize LoadPictureCovering(const std::string& path, TPixelGraphic& picture,
                               const std::function<TThumbSize(int, int)>& wanted, bool preview);
