#include "app/Bookmarks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString DefaultBookmarkFile() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return folder + QStringLiteral("/bookmrks.dat");
}

QStringList SplitBookmarkLines(const QByteArray& data) {
  QStringList lines;
  QByteArray line;
  for (qsizetype i = 0; i < data.size(); ++i) {
    const char c = data[i];
    if (c == '\r' || c == '\n') {
      if (!line.isEmpty()) lines << QString::fromUtf8(line);  // an empty line is no folder
      line.clear();
      if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.isEmpty()) lines << QString::fromUtf8(line);
  return lines;
}

QStringList ReadBookmarks(const QString& path) {
  QFile file(path);
  if (!file.exists()) return {};
  if (!file.open(QIODevice::ReadOnly))
    throw EBookmarkFile(("Cannot read the bookmarks file " + path + ": " + file.errorString())
                            .toStdString());
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw EBookmarkFile(("Cannot read the bookmarks file " + path + ": " + file.errorString())
                            .toStdString());
  return SplitBookmarkLines(data);
}

bool BookmarkableFolder(const QString& folder) {
  return !folder.isEmpty() && !folder.contains('\r') && !folder.contains('\n');
}

void WriteBookmarks(const QString& path, const QStringList& folders) {
  for (const QString& f : folders)
    if (!BookmarkableFolder(f))
      throw EBookmarkFile("A folder name with a line break cannot be stored in the bookmarks file");
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  QByteArray data;
  for (const QString& f : folders) data += f.toUtf8() + "\r\n";
  if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
    throw EBookmarkFile(("Cannot write the bookmarks file " + path + ": " + file.errorString())
                            .toStdString());
}
