// Every filter and effect by name, with its parameters (the dialogs' property names in lower
// case, their ranges and defaults), applied to an image the way the editor applies it. The
// command line and the fuzz target run filters through this table.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/PGraphic.h"
#include "imaging/filters/ApplyFilter.h"

enum class TFilterParamKind { Integer, Decimal, Boolean, Choice };

struct TFilterParam {
  std::string Key;
  TFilterParamKind Kind;
  double Min = 0, Max = 0, Default = 0;  // Choice: index into Choices; Boolean: 0 or 1
  std::vector<std::string> Choices;
  std::string DefaultText;  // shown instead of Default when the default depends on the image
};

class TFilterArgs;

struct TFilterEntry {
  std::string Name;
  std::string Summary;
  std::vector<TFilterParam> Params;
  bool UsesSeed = false;
  // Applies the filter to `image`, which holds the result afterwards.
  void (*Run)(const TFilterArgs& args, TPixelGraphic& image, std::uint64_t seed,
              const TPGFilterOptions& options) = nullptr;
};

// A bad parameter: the message names the key.
class TFilterArgError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parameter values of one run, every parameter present (defaults filled in).
class TFilterArgs {
 public:
  double Number(const std::string& key) const;
  int Integer(const std::string& key) const { return static_cast<int>(Number(key)); }
  bool Flag(const std::string& key) const { return Number(key) != 0; }
  bool IsDefault(const std::string& key) const { return FGiven.count(key) == 0; }

  void Set(const std::string& key, double value, bool given);

 private:
  std::map<std::string, double> FValues;
  std::map<std::string, bool> FGiven;
};

const std::vector<TFilterEntry>& FilterEntries();
// nullptr for an unknown name.
const TFilterEntry* FindFilterEntry(const std::string& name);

// Parses "KEY=VALUE" settings; unknown keys, malformed values and values outside the range
// raise TFilterArgError.
TFilterArgs ParseFilterArgs(const TFilterEntry& entry, const std::vector<std::string>& settings);
// Runs a filter with parsed arguments; the image holds the result.
void RunFilter(const TFilterEntry& entry, const TFilterArgs& args, TPixelGraphic& image,
               std::uint64_t seed, const TPGFilterOptions& options = {});

// One line per filter, then one per parameter with its range and default.
std::string DescribeFilters();
