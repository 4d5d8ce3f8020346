// Loads pictures for thumbnails. Some shared readers of the format registry keep per-call
// state, so registry loads from several threads take turns; JPEGs, the bulk of most folders,
// are decoded by LoadJPEGScaled without the registry and run side by side.
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
