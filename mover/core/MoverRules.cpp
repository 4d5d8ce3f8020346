#include "mover/core/MoverRules.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "files/FilePaths.h"

namespace {

int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

TBoxSize FitPreviewBox(int width, int height, int box) {
  if (width <= 0 || height <= 0) return {box, box};
  const double r = static_cast<double>(height) / width;
  if (r > 1) return {std::max(1, RoundHalfEven(box / r)), box};
  return {box, std::max(1, RoundHalfEven(r * box))};
}

TBoxSize FitIfLarger(int width, int height, int box) {
  if (width > 0 && height > 0 && width <= box && height <= box) return {width, height};
  return FitPreviewBox(width, height, box);
}

std::string PreviewKindOf(const std::string& fileName) {
  const std::string name = FileNameOf(fileName);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return "";
  std::string kind;
  for (char c : name.substr(dot + 1, 3))
    kind += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return kind;
}

std::string PreviewSizeText(std::int64_t bytes) {
  if (bytes < 0) return "0K";
  return std::to_string(bytes / 1024 + 1) + "K";
}

std::vector<std::string> SnapshotOf(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

int FirstNewEntry(const std::vector<std::string>& snapshot, const std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (!std::binary_search(snapshot.begin(), snapshot.end(), names[i])) return static_cast<int>(i);
  return -1;
}

std::string EntryPath(const std::string& folder, const std::string& name) {
  return JoinPath(folder, name);
}
