// What the image properties window shows of a file: its date and size, and the format
// information of its first image; whether a preview is shown; the window's gradient.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "imaging/formats/Registry.h"

// Files of this size or more are described but not previewed.
inline constexpr std::int64_t kPreviewSizeLimit = 6145024;

struct TImageProperties {
  std::string Path;
  std::time_t Date = 0;
  std::int64_t Size = 0;
  bool Recognised = false;
  TPGFileInfoResult Info;  // empty texts and zeros when not recognised

  bool ShowsPreview() const { return Recognised && Size < kPreviewSizeLimit; }
  // "FileName" ... "GraphicCount" with their values; the date comes formatted from the
  // caller (it follows the user's locale).
  std::vector<std::pair<std::string, std::string>> Rows(const std::string& dateText) const;
};

TImageProperties ReadImageProperties(const std::string& path);

// "size div 1024 + 1" followed by "K".
std::string SizeInKText(std::int64_t size);
// The red of column g of a gradient `width` columns wide: 140 at the left fading to 0.
int GradientRed(int column, int width);
