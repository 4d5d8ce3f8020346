#include "imaging/PGLibrary.h"

#include "imaging/PGErrors.h"

void InitImagingLibrary() { CheckPGLangStrEntries(PGLangStrEntries); }
