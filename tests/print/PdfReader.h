// Reads PDF files back with poppler's command-line tools: text, word boxes, page count and
// page pictures.
#pragma once

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

struct TPdfWord {
  QString Text;
  double XMin = 0, YMin = 0, XMax = 0, YMax = 0;  // points from the page's top left
  int Page = 0;                                   // from 1
};

inline QString RunTool(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  if (!p.waitForFinished(60000) || p.exitCode() != 0)
    return QStringLiteral("<%1 failed>").arg(tool);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of one page (from 1), or of all pages for 0, laid out as on the page.
inline QString PdfText(const QString& pdf, int page = 0) {
  QStringList args{QStringLiteral("-layout")};
  if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
  return RunTool(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
}

inline int PdfPageCount(const QString& pdf) {
  const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

inline std::vector<TPdfWord> PdfWords(const QString& pdf) {
  const QString html =
      RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  std::vector<TPdfWord> words;
  int page = 0;
  const QRegularExpression wordRe(
      QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                     "yMax=\"([\\d.]+)\">([^<]*)</word>"));
  for (const QString& line : html.split('\n')) {
    if (line.contains(QStringLiteral("<page "))) ++page;
    const QRegularExpressionMatch m = wordRe.match(line);
    if (!m.hasMatch()) continue;
    words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                     m.captured(3).toDouble(), m.captured(4).toDouble(), page});
  }
  return words;
}

// One page rendered at the given resolution.
inline QImage PdfPageImage(const QString& pdf, int page, int dpi) {
  QTemporaryDir dir;
  const QString prefix = dir.path() + QStringLiteral("/page");
  RunTool(
      QStringLiteral("pdftoppm"),
      {QStringLiteral("-r"), QString::number(dpi), "-f", QString::number(page), "-l",
       QString::number(page), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix});
  return QImage(prefix + QStringLiteral(".png"));
}

// The bounding box of the dark pixels of an image (null when there are none).
inline QRect DarkBox(const QImage& image, int threshold = 128) {
  int x0 = image.width(), y0 = image.height(), x1 = -1, y1 = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < threshold) {
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
      }
  return x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
}
