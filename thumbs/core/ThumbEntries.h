// The explorer's list entries: one picture file with the values its columns show, and the
// sort orders of the columns. Sorting uses the stored values (the size in bytes, the
// modification time), never the texts shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TThumbEntry {
  std::string Name;            // as found on disk
  std::uint64_t Size = 0;      // bytes
  std::int64_t Modified = 0;   // nanoseconds since the epoch

  // (bytes div 1024) + 1 followed by "K": "1K" for 0 bytes, "2K" for 1024.
  std::string SizeText() const;
  // The first three characters of the extension after the last dot, upper-cased ("JPE").
  std::string TypeText() const;
};

enum TThumbColumn : int { tcName = 0, tcSize = 1, tcType = 2, tcModified = 3 };

// -1, 0 or 1 by the column's key: 0 the upper-cased name; 1 the size (numeric); 2 the type
// then the name; 3 the modification time (chronological) then the name.
int CompareThumbEntries(const TThumbEntry& a, const TThumbEntry& b, int column);
// Sorts by the column, descending swapping the results; equal entries keep their order.
void SortThumbEntries(std::vector<TThumbEntry>& entries, int column, bool ascending);

// The regular files of the folder whose names match the mask (patterns separated by ";"),
// by name. Raises std::filesystem::filesystem_error when the folder cannot be read.
std::vector<TThumbEntry> ListThumbEntries(const std::string& folder, const std::string& mask);
// The entry of one file; false when it is not a readable regular file.
bool ReadThumbEntry(const std::string& path, TThumbEntry& entry);
