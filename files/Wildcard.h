// File-name patterns of the search: "*" any run of characters, "?" one character, letters
// compared without regard to case (ASCII), several patterns separated by ";" ("*.jpg;*.gif").
// "*.*" matches every name, with or without a dot.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TWildcard {
 public:
  explicit TWildcard(std::string_view patterns);
  bool Matches(std::string_view name) const;
  bool Empty() const { return FPatterns.empty(); }

 private:
  struct TPattern {
    std::string Text;     // lower-cased
    bool Suffix = false;  // "*" followed by plain characters: a suffix comparison
  };
  static bool Glob(std::string_view pattern, std::string_view name);
  std::vector<TPattern> FPatterns;
};
