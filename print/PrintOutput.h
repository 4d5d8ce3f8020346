// Recorded pages written as a PDF document and printed in copies.
#pragma once

#include <QString>
#include <memory>

class QPrinter;
class TPagePicture;
class TPreviewPrinter;

// Writes every recorded page into a PDF file, each page at its own paper size. The file is
// written beside the target and moved into place when complete, so a failure leaves an
// existing file as it was. False with a message on failure or when there are no pages.
bool SavePagesAsPdf(TPreviewPrinter& engine, const QString& path, QString* error = nullptr,
                    int resolution = 1200);

// A PDF document written page by page, so that a long document needs memory for one page
// only: each page is added as soon as it is recorded and can then be dropped. Finish moves
// the complete file into place (a failure or a writer destroyed unfinished leaves an existing
// file as it was).
class TPdfPageWriter {
 public:
  TPdfPageWriter();
  ~TPdfPageWriter();
  TPdfPageWriter(const TPdfPageWriter&) = delete;
  TPdfPageWriter& operator=(const TPdfPageWriter&) = delete;

  bool Begin(const QString& path, const QString& title, int resolution = 1200,
             QString* error = nullptr);
  void AddPage(const TPagePicture& page);
  int Pages() const;
  bool Finish(QString* error = nullptr);

 private:
  struct TState;
  std::unique_ptr<TState> F;
};

// Prints pages first..last `copies` times: one print job per copy on a printer, all copies
// in one document when the printer writes to a file (a second job would replace the first).
bool PrintCopies(TPreviewPrinter& engine, QPrinter& printer, int first, int last, int copies,
                 QString* error = nullptr);
