#include "app/shell/Wallpaper.h"

#include <cctype>

#include "files/FilePaths.h"

TWallpaperValues WallpaperValuesFor(TWallpaperMode mode, const std::string& currentFile) {
  switch (mode) {
    case TWallpaperMode::Centered: return {currentFile, "0", "0"};
    case TWallpaperMode::Tiled: return {currentFile, "1", "0"};
    case TWallpaperMode::Stretched: return {currentFile, "0", "2"};
    case TWallpaperMode::None: break;
  }
  return {kNoWallpaper, "0", "0"};
}

TWallpaperMode WallpaperModeOf(const TWallpaperValues& values) {
  if (values.File == kNoWallpaper) return TWallpaperMode::None;
  if (values.Tile == "1") return TWallpaperMode::Tiled;
  if (values.Style == "2") return TWallpaperMode::Stretched;
  return TWallpaperMode::Centered;
}

bool WallpaperNeedsBitmap(const std::string& file) {
  if (file == kNoWallpaper) return false;
  const std::string name = FileNameOf(file);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return true;
  std::string extension;
  for (char c : name.substr(dot)) extension += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return extension != ".BMP";
}
