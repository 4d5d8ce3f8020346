// The page a headless print is laid out for: --paper, --dpi and --orientation.
#pragma once

#include <string>

#include "print/core/PageMetrics.h"

// The paper in inches for a --paper name (letter, legal, a4); false for another name.
bool PaperSize(const std::string& name, double& width, double& height);

// The page at the given resolution, turned for landscape.
TPageMetrics PaperMetrics(double width, double height, int dpi, TOrientation orientation);
