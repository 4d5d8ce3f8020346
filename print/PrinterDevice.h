// The printer pages are laid out for and printed on.
#pragma once

#include <optional>

#include "print/core/PageMetrics.h"

class QPrinter;

// The printer pages are laid out for: the program's printer (ApplicationPrinter, as the printer
// setup left it) when the system lists at least one printer; nullptr otherwise.
QPrinter* ReferencePrinter();

// The printer's resolution, paper size and unprintable border in device pixels, for the
// given orientation (the printer is set to it). Nothing when the printer reports no usable
// page.
std::optional<TPageMetrics> PrinterPageMetrics(QPrinter& printer, TOrientation orientation);
