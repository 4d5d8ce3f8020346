// Loads a picture through the format registry for a thumbnail. Some shared readers keep
// per-call state, so such loads from several threads take turns; JPEGs, the bulk of most
// folders, are decoded by LoadJPEGScaled without the registry and run side by side.
#pragma once

#include <string>

#include "imaging/PGraphic.h"

// Read warnings are ignored; with `preview` metafiles render at a thumbnail's size.
void LoadThroughRegistry(const std::string& path, TPixelGraphic& picture, bool preview);
