// Start-up of the imaging core.
#pragma once

// Checks the message table (raises EPixelGraphic when it is out of order) and selects the
// English texts. Safe to call more than once; the format registry calls it before it
// registers its readers and writers.
void InitImagingLibrary();
