// The printer pages are laid out for and printed on.
#pragma once

#include <optional>

#include "print/core/PageMetrics.h"

class QPrinter;

// The program's printer: the system's default printer, as the printer setup left it, or
// nullptr when no printer is installed. Created on first use, lives until the program ends.
QPrinter* SharedPrinter();

// The printer's resolution, paper size and unprintable border in device pixels, for the
// given orientation (the printer is set to it). Nothing when the printer reports no usable
// page.
std::optional<TPageMetrics> PrinterPageMetrics(QPrinter& printer, TOrientation orientation);
