// The picture shown for a file that cannot be loaded: an 80 x 80, 8-bit question mark.
#pragma once

#include "imaging/PGraphic.h"

void LoadPlaceholder(TPixelGraphic& picture);
