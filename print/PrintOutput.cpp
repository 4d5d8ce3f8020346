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

bool WritePdf(TPreviewPrinter& engine, const QString& file, int resolution) {
  QPdfWriter writer(file);
  writer.setResolution(resolution);
  writer.setTitle(engine.Title);
  writer.setCreator(QStringLiteral("Lumivex"));
  writer.setPageLayout(LayoutOf(engine.Page(0).Metrics()));
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  for (int i = 0; i < engine.PageCount(); ++i) {
    if (i > 0) {
      writer.setPageLayout(LayoutOf(engine.Page(i).Metrics()));
      writer.newPage();
    }
    PlayPage(painter, engine.Page(i), resolution, resolution);
  }
  return painter.end();
}

}  // namespace

bool SavePagesAsPdf(TPreviewPrinter& engine, const QString& path, QString* error, int resolution) {
  auto fail = [error](const QString& message) {
    if (error) *error = message;
    return false;
  };
  if (engine.PageCount() == 0) return fail(QStringLiteral("There are no pages to save."));
  const QFileInfo target(path);
  QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.lumivex-XXXXXX.pdf"));
  if (!temporary.open())
    return fail(QStringLiteral("Cannot write the file %1: %2").arg(path, temporary.errorString()));
  const QString temporaryName = temporary.fileName();
  temporary.close();
  if (!WritePdf(engine, temporaryName, resolution) || QFileInfo(temporaryName).size() == 0)
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
  return true;
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
