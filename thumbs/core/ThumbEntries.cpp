#include "thumbs/core/ThumbEntries.h"

#include <algorithm>
#include <filesystem>
#include <limits>

#include <sys/stat.h>

#include "files/Wildcard.h"

namespace {

std::string Upper(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

template <class T>
int Sign(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

std::string TThumbEntry::SizeText() const { return std::to_string(Size / 1024 + 1) + "K"; }

std::string TThumbEntry::TypeText() const {
  const auto dot = Name.rfind('.');
  if (dot == std::string::npos) return {};
  return Upper(Name.substr(dot + 1, 3));
}

int CompareThumbEntries(const TThumbEntry& a, const TThumbEntry& b, int column) {
  switch (column) {
    case tcSize: return Sign(a.Size, b.Size);
    case tcType: {
      const int byType = Sign(a.TypeText(), b.TypeText());
      return byType != 0 ? byType : Sign(Upper(a.Name), Upper(b.Name));
    }
    case tcModified: {
      const int byTime = Sign(a.Modified, b.Modified);
      return byTime != 0 ? byTime : Sign(Upper(a.Name), Upper(b.Name));
    }
    default: return Sign(Upper(a.Name), Upper(b.Name));
  }
}

void SortThumbEntries(std::vector<TThumbEntry>& entries, int column, bool ascending) {
  std::stable_sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
    const int order = CompareThumbEntries(a, b, column);
    return ascending ? order < 0 : order > 0;
  });
}

bool ReadThumbEntry(const std::string& path, TThumbEntry& entry) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  entry.Name = std::filesystem::path(path).filename().string();
  entry.Size = static_cast<std::uint64_t>(st.st_size);
  // Nanoseconds reach the year 2262; times beyond (or before 1678) keep their order at the ends.
  constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 1000000000 - 1;
  const std::int64_t seconds = std::clamp<std::int64_t>(st.st_mtim.tv_sec, -kLimit, kLimit);
  entry.Modified = seconds * 1000000000 + st.st_mtim.tv_nsec;
  return true;
}

std::vector<TThumbEntry> ListThumbEntries(const std::string& folder, const std::string& mask) {
  const TWildcard wildcard(mask.empty() ? "*" : mask);
  std::vector<TThumbEntry> entries;
  for (const auto& item : std::filesystem::directory_iterator(folder)) {
    const std::string name = item.path().filename().string();
    if (!wildcard.Matches(name)) continue;
    TThumbEntry entry;
    if (ReadThumbEntry(item.path().string(), entry)) entries.push_back(std::move(entry));
  }
  SortThumbEntries(entries, tcName, true);
  return entries;
}
