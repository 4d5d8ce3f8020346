// The reader and writer lists, reader lookup and the file information query.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "imaging/formats/FileFormat.h"

using TFileFormatReaderList = std::vector<std::unique_ptr<TFileFormatReader>>;
using TFileFormatWriterList = std::vector<std::unique_ptr<TFileFormatWriter>>;

// Starts the imaging library with its formats: checks the message table, sets the format
// settings to their defaults and registers the library's readers and writers (once).
void InitFormatLibrary();

// The two lists. The first use registers the library's own readers and writers in their fixed
// order and sets the format settings to their defaults; other units append their readers with
// RegisterFileFormatReader. Loads on other threads sort and search the lists: code that walks
// them holds LockFormatRegistry() meanwhile (the lookups below take it themselves). The reader
// and writer objects live until the program ends, so a pointer to one stays valid unlocked.
TFileFormatReaderList& FileFormatReaders();
TFileFormatWriterList& FileFormatWriters();
std::unique_lock<std::recursive_mutex> LockFormatRegistry();
void RegisterFileFormatReader(std::unique_ptr<TFileFormatReader> reader);

// The library's own BMP reader and writer, kept outside the lists.
TFileFormatReader& LibraryBMPReader();
TFileFormatWriter& LibraryBMPWriter();

// Puts a list in ascending order of lower-case extension (only when some pair is out of order).
void SortFileFormatReaders();
void SortFileFormatWriters();

// The reader for the data at the stream's position: content first, then the extension (for
// readers without a header check). nullptr when none fits. The position is kept.
TFileFormatReader* FindReader(TPGStream& stream, const std::string& extension);

// The writer for an extension (leading dot allowed); nullptr when none.
TFileFormatWriter* FindWriter(const std::string& extension);

struct TPGFileInfoResult : TPGFileInfo {
  std::string FormatDescription;
};
// Describes image `index` of a file without loading its pixels. Never raises: false when the
// file is missing, not recognised or unreadable.
bool GetFileInfo(const std::string& fileName, int index, TPGFileInfoResult& info);

// Lower-case extension of a path without the dot ("" when there is none).
std::string ExtensionOf(const std::string& fileName);
std::string LowerCase(std::string s);
