#include "files/Wildcard.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

}  // namespace

TWildcard::TWildcard(std::string_view patterns) {
  std::size_t start = 0;
  while (start <= patterns.size()) {
    std::size_t end = patterns.find(';', start);
    if (end == std::string_view::npos) end = patterns.size();
    std::string text = Trimmed(patterns.substr(start, end - start));
    start = end + 1;
    if (text.empty()) continue;
    for (char& c : text) c = Lower(c);
    if (text == "*.*") text = "*";
    TPattern p;
    p.Suffix = text.size() > 1 && text[0] == '*' &&
               text.find_first_of("*?", 1) == std::string::npos;
    if (p.Suffix) text.erase(0, 1);
    p.Text = std::move(text);
    FPatterns.push_back(std::move(p));
  }
}

bool TWildcard::Matches(std::string_view name) const {
  for (const TPattern& p : FPatterns) {
    if (p.Suffix) {
      if (name.size() < p.Text.size()) continue;
      const std::string_view tail = name.substr(name.size() - p.Text.size());
      bool same = true;
      for (std::size_t i = 0; same && i < tail.size(); ++i) same = Lower(tail[i]) == p.Text[i];
      if (same) return true;
    } else if (Glob(p.Text, name)) {
      return true;
    }
  }
  return false;
}

// Iterative matching with one backtrack point (the last "*"): linear in practice.
bool TWildcard::Glob(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      // One character, however many bytes its UTF-8 form takes.
      ++p;
      ++n;
      while (n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) ++n;
    } else if (p < pattern.size() && pattern[p] == Lower(name[n])) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}
