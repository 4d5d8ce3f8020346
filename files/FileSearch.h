// The file search: every file below one or more start folders whose name matches a pattern.
// Paths are absolute; hidden entries (names beginning with a dot) are neither listed nor
// entered; links to folders are followed but no folder is entered twice, so link loops end;
// the walk stays on the volume of its start folder (other volumes are searched from their own
// roots). A stop flag ends the walk at its next check.
#pragma once

#include <atomic>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

class TSearchSink {
 public:
  virtual ~TSearchSink() = default;
  // The folder being read (ends with "/").
  virtual void Entering(const std::string& folder) { (void)folder; }
  virtual void Found(const std::string& path) = 0;
};

enum class TSearchEnd { Finished, Stopped, Full };

struct TSearchRequest {
  std::string Pattern;              // see TWildcard
  std::vector<std::string> Roots;   // searched in this order; unreadable ones are skipped
  std::size_t Capacity = std::numeric_limits<std::size_t>::max();  // most results taken
};

struct TSearchResult {
  TSearchEnd End = TSearchEnd::Finished;
  std::size_t Count = 0;
};

TSearchResult SearchFiles(const TSearchRequest& request, const std::atomic<bool>& stop,
                          TSearchSink& sink);

// The status text at the end of a search.
std::string SearchCountText(std::size_t count);
