#include "imaging/filters/ColorSpaces.h"

#include "imaging/PGErrors.h"
#include "imaging/PGMessageIds.h"

void RaiseSaturationHue() { PGRaise<EPGSaturationHue>(pgmSaturationZeroHueDefined); }
