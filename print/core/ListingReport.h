// The folder listing report: one line per listed file with its size in K, the folder as the
// page header, and the engine settings the report prints with.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "print/core/PageMetrics.h"
#include "print/core/PrintUnits.h"
#include "print/core/TextOptions.h"

// trunc(bytes / 1024) + 1: 0 to 1023 bytes are 1K, 1024 bytes 2K; a missing file (-1) 1K.
std::int64_t SizeInK(std::int64_t bytes);

// "name  (NK)".
std::string ListingLine(const std::string& name, std::int64_t bytes);

// The folder that entry names are appended to: "/" stays "/", any other folder gets a "/"
// unless it already ends with one.
std::string ListingBase(const std::string& folder);

// The size in bytes of the file at the path (following links), -1 when it cannot be found.
std::int64_t FileSizeOf(const std::string& path);

// The report lines for the entries of a folder, in the order given.
using TFileSizeFunction = std::function<std::int64_t(const std::string& path)>;
std::vector<std::string> ListingLines(const std::string& folder,
                                      const std::vector<std::string>& entries,
                                      const TFileSizeFunction& sizeOf = FileSizeOf);

// What the report's engine is created with.
struct TListingEngineSetup {
  TOrientation Orientation = TOrientation::poPortrait;
  TUnits Units = TUnits::unInches;
  TTextOptions Text;
  bool ShowGrid = false;
};
TListingEngineSetup ListingEngineSetup();

// What every run changes, whatever page setup gave the engine: the folder as header, the
// footer left-aligned in italic alone, page numbers at the bottom.
void ApplyListingRunOptions(TTextOptions& options, const std::string& folder);
