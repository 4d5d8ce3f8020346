#include "imaging/filters/ColorSpaces.h"

#include "imaging/PGErrors.h"

void RaiseSaturationHue() { PGRaise<EPGSaturationHue>(40); }
