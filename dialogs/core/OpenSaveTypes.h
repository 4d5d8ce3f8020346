// The file types of the open and save dialogs, generated from the reader and writer lists,
// and the name handling of the save dialog. Filter indexes count from 1 as the dialogs show
// them.
#pragma once

#include <string>
#include <vector>

#include "imaging/formats/Registry.h"

struct TFileTypeEntry {
  std::string Description;            // "BMP - Bitmap", "Image files", "All files"
  std::vector<std::string> Patterns;  // "*.bmp"; "*.*" for all files
  std::string Extension;              // lower case; empty for the combined entry and all files
};

// Open dialog: the combined "Image files" entry and one entry per reader in the default filter
// (when there is one), then "All files". The lists are sorted by extension first.
std::vector<TFileTypeEntry> OpenFileTypes();
// Save dialog: one entry per writer in the default filter.
std::vector<TFileTypeEntry> SaveFileTypes();
// From given lists (unsorted as given).
std::vector<TFileTypeEntry> OpenFileTypes(const TFileFormatReaderList& readers);
std::vector<TFileTypeEntry> SaveFileTypes(const TFileFormatWriterList& writers);

// The classic "Description|*.a; *.b|..." form of a list.
std::string FilterString(const std::vector<TFileTypeEntry>& types);

// The extension of filter index `index` (1-based); empty out of range.
std::string FileTypeExtension(const std::vector<TFileTypeEntry>& types, int index);
// The index whose extension is the name's (lower case); 0 when none or the name has none.
int FileTypeIndexForName(const std::vector<TFileTypeEntry>& types, const std::string& fileName);

// A confirmed save name: "." + extension appended when the name has none. An empty name stays
// empty, and so does an empty extension.
std::string NameWithTypeExtension(const std::string& fileName, const std::string& extension);

// The name-field text after the save dialog's type changed to `extension`: the extension of
// `path` replaced (or added); the folder part dropped when it is `currentFolder`. `path` may
// be relative to the current folder. Paths of folders are left to the caller.
std::string RenameForType(const std::string& path, const std::string& currentFolder,
                          const std::string& extension);

// The information lines of a recognised file, in order, each only when not empty: format
// description, version, description, and the size line "640x480x256 8 bit" (", 3" more when
// the file holds several images).
std::vector<std::string> FileInfoLines(const TPGFileInfoResult& info);
