#include "PGLibrary.h"

#include "PGErrors.h"

void InitImagingLibrary() { CheckPGLangStrEntries(PGLangStrEntries); }
