// The zoom tool's clicks: steps of 0.2 between 0.2 and 3.0.
#pragma once

// A left click: 0.2 more while the factor is below 3.0.
double ZoomToolIn(double factor);
// A right click: 0.2 less while the factor is above 0.3.
double ZoomToolOut(double factor);
