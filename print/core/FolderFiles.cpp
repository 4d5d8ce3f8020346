#include "print/core/FolderFiles.h"

#include <algorithm>
#include <filesystem>

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<std::string> SplitMask(const std::string& mask) {
  std::vector<std::string> patterns;
  std::size_t start = 0;
  while (start <= mask.size()) {
    const std::size_t end = std::min(mask.find(';', start), mask.size());
    const std::string p = Trimmed(mask.substr(start, end - start));
    if (!p.empty()) patterns.push_back(p);
    start = end + 1;
  }
  return patterns;
}

bool WildcardMatches(const std::string& pattern, const std::string& name) {
  // Iterative match with backtracking to the last "*": linear in practice, never recursive.
  std::size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool ListedBefore(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char x = Lower(a[i]), y = Lower(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::vector<std::string> ListFolderFiles(const std::string& folder, const std::string& mask) {
  namespace fs = std::filesystem;
  const std::vector<std::string> patterns = SplitMask(mask);
  std::vector<std::string> names;
  if (patterns.empty()) return names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    std::error_code ec;
    if (!entry.is_regular_file(ec)) continue;  // follows links, as the browser's list does
    const std::string name = entry.path().filename().string();
    for (const std::string& p : patterns) {
      if (WildcardMatches(p, name)) {
        names.push_back(name);
        break;
      }
    }
  }
  std::sort(names.begin(), names.end(), ListedBefore);
  return names;
}
