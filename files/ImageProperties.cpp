#include "files/ImageProperties.h"

#include <sys/stat.h>

std::string SizeInKText(std::int64_t size) { return std::to_string(size / 1024 + 1) + "K"; }

int GradientRed(int column, int width) {
  if (width <= 0) return 140;
  return 140 + static_cast<int>(static_cast<std::int64_t>(column) * (0 - 140) / width);
}

TImageProperties ReadImageProperties(const std::string& path) {
  TImageProperties p;
  p.Path = path;
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) {
    p.Date = st.st_mtime;
    p.Size = st.st_size;
  }
  p.Recognised = GetFileInfo(path, 0, p.Info);
  if (!p.Recognised) p.Info = TPGFileInfoResult{};
  return p;
}

std::vector<std::pair<std::string, std::string>> TImageProperties::Rows(
    const std::string& dateText) const {
  return {{"FileName", Path},
          {"File Date", dateText},
          {"File Size", SizeInKText(Size)},
          {"Type", Info.FormatDescription},
          {"SubType", Info.VersionText},
          {"Options", Info.DescriptionText},
          {"Width", std::to_string(Info.Width)},
          {"Height", std::to_string(Info.Height)},
          {"Colors", Info.ColorsText},
          {"BitsPerPixel", std::to_string(Info.BitsPerPixel)},
          {"GraphicCount", std::to_string(Info.ImageCount)}};
}
