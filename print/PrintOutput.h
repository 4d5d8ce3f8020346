// Recorded pages written as a PDF document and printed in copies.
#pragma once

#include <QString>

class QPrinter;
class TPreviewPrinter;

// Writes every recorded page into a PDF file, each page at its own paper size. The file is
// written beside the target and moved into place when complete, so a failure leaves an
// existing file as it was. False with a message on failure or when there are no pages.
bool SavePagesAsPdf(TPreviewPrinter& engine, const QString& path, QString* error = nullptr,
                    int resolution = 1200);

// Prints pages first..last `copies` times: one print job per copy on a printer, all copies
// in one document when the printer writes to a file (a second job would replace the first).
bool PrintCopies(TPreviewPrinter& engine, QPrinter& printer, int first, int last, int copies,
                 QString* error = nullptr);
