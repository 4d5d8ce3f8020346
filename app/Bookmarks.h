// The bookmarks file: one folder per line, CR LF line ends, in menu order.
#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

class EBookmarkFile : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "bookmrks.dat" in the per-user data folder (the program's own folder is not writable once
// installed).
QString DefaultBookmarkFile();

// Reads the list. A missing file is an empty list; any other failure raises EBookmarkFile
// (and nothing should then be written over the file). Lines end at CR LF, lone CR or lone
// LF; a last line without an ending counts; empty lines are skipped; text is UTF-8.
QStringList ReadBookmarks(const QString& path);

// Whether a folder can be stored: one line, so no CR or LF in its name, and not empty.
bool BookmarkableFolder(const QString& folder);

// Writes every line with CR LF through a temporary file that replaces the old one, so a
// failed write leaves the previous file intact. Raises EBookmarkFile on failure and for a
// folder that is not bookmarkable (nothing is written then).
void WriteBookmarks(const QString& path, const QStringList& folders);

// Splits file content into lines as ReadBookmarks does.
QStringList SplitBookmarkLines(const QByteArray& data);
