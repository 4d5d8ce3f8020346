#include "print/PrintOutput.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>
#include <filesystem>

#include "print/PreviewPrinter.h"

namespace {

QPageLayout LayoutOf(const TPageMetrics& m) {
  const double w = static_cast<double>(m.PageWidth) / m.ResX;
  const double h = static_cast<double>(m.PageHeight) / m.ResY;
  const bool landscape = w > h;
  const QPageSize size(QSizeF(landscape ? h : w, landscape ? w : h), QPageSize::Inch, QString(),
                       QPageSize::FuzzyMatch);
  return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(0, 0, 0, 0));
}

}  // namespace

struct TPdfPageWriter::TState {
  QString Path;
  std::unique_ptr<QTemporaryFile> Temporary;
  std::unique_ptr<QPdfWriter> Writer;
  QPainter Painter;
  int Resolution = 1200;
  int Pages = 0;
  bool Failed = false;
};

TPdfPageWriter::TPdfPageWriter() = default;

TPdfPageWriter::~TPdfPageWriter() {
  if (F && F->Painter.isActive()) F->Painter.end();
}

bool TPdfPageWriter::Begin(const QString& path, const QString& title, int resolution,
                           QString* error) {
  F = std::make_unique<TState>();
  F->Path = path;
  F->Resolution = resolution;
  F->Temporary = std::make_unique<QTemporaryFile>(QFileInfo(path).absolutePath() +
                                                  QStringLiteral("/.lumivex-XXXXXX.pdf"));
  if (!F->Temporary->open()) {
    if (error)
      *error = QStringLiteral("Cannot write the file %1: %2").arg(path, F->Temporary->errorString());
    F.reset();
    return false;
  }
  F->Temporary->close();  // the PDF writer opens it by name; the object removes it unless kept
  F->Writer = std::make_unique<QPdfWriter>(F->Temporary->fileName());
  F->Writer->setResolution(resolution);
  F->Writer->setTitle(title);
  F->Writer->setCreator(QStringLiteral("Lumivex"));
  return true;
}

void TPdfPageWriter::AddPage(const TPagePicture& page) {
  if (!F || F->Failed) return;
  F->Writer->setPageLayout(LayoutOf(page.Metrics()));
  if (F->Pages == 0) {
    if (!F->Painter.begin(F->Writer.get())) {
      F->Failed = true;
      return;
    }
  } else {
    F->Writer->newPage();
  }
  PlayPage(F->Painter, page, F->Resolution, F->Resolution);
  ++F->Pages;
}

int TPdfPageWriter::Pages() const { return F ? F->Pages : 0; }

bool TPdfPageWriter::Finish(QString* error) {
  auto fail = [error](const QString& message) {
    if (error) *error = message;
    return false;
  };
  if (!F) return fail(QStringLiteral("There is no document to save."));
  const QString path = F->Path;
  if (F->Failed) return fail(QStringLiteral("Cannot write the file %1.").arg(path));
  if (F->Pages == 0) return fail(QStringLiteral("There are no pages to save."));
  const bool ended = F->Painter.end();
  F->Writer.reset();  // flushes and closes the file
  const QString temporaryName = F->Temporary->fileName();
  if (F->Failed || !ended || QFileInfo(temporaryName).size() == 0)
    return fail(QStringLiteral("Cannot write the file %1.").arg(path));
  // The file gets the permissions a new file of the user gets.
  const mode_t mask = umask(0);
  umask(mask);
  chmod(QFile::encodeName(temporaryName).constData(), 0666 & ~mask);
  // rename() replaces an existing file in one step.
  std::error_code ec;
  std::filesystem::rename(QFile::encodeName(temporaryName).toStdString(),
                          QFile::encodeName(path).toStdString(), ec);
  if (ec)
    return fail(QStringLiteral("Cannot write the file %1: %2")
                    .arg(path, QString::fromStdString(ec.message())));
  F->Temporary->setAutoRemove(false);  // it is the target now
  F.reset();
  return true;
}

bool SavePagesAsPdf(TPreviewPrinter& engine, const QString& path, QString* error, int resolution) {
  if (engine.PageCount() == 0) {
    if (error) *error = QStringLiteral("There are no pages to save.");
    return false;
  }
  TPdfPageWriter writer;
  if (!writer.Begin(path, engine.Title, resolution, error)) return false;
  for (int i = 0; i < engine.PageCount(); ++i) writer.AddPage(engine.Page(i));
  return writer.Finish(error);
}

bool PrintCopies(TPreviewPrinter& engine, QPrinter& printer, int first, int last, int copies,
                 QString* error) {
  copies = std::max(1, copies);
  printer.setCopyCount(1);
  if (!printer.outputFileName().isEmpty())
    return engine.PrintPages(printer, first, last, error, copies);
  for (int copy = 0; copy < copies; ++copy)
    if (!engine.PrintPages(printer, first, last, error)) return false;
  return true;
}
