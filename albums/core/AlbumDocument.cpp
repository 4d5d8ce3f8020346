#include "albums/core/AlbumDocument.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "albums/core/Cp1252.h"

TAlbumSettings NewAlbumSettings() {
  TAlbumSettings s;
  s.Font.Color = 0;
  return s;
}

std::string CleanCaption(const std::string& caption) {
  std::string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    const char c = caption[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> AlbumPathProblem(const std::string& path) {
  if (path.empty()) return "The file name is empty.";
  if (path.find_first_of("\t\r\n") != std::string::npos)
    return "The file name \"" + CleanCaption(path) +
           "\" contains a tab or a line break and cannot be stored in an album.";
  if (!Utf8ToCp1252(path))
    return "The file name \"" + path +
           "\" has characters that an album file cannot store (Windows-1252).";
  return std::nullopt;
}

std::optional<std::string> AlbumCaptionProblem(const std::string& caption) {
  if (!Utf8ToCp1252(caption))
    return "The caption \"" + caption +
           "\" has characters that an album file cannot store (Windows-1252).";
  return std::nullopt;
}

namespace {

// The extension's first three letters, upper-cased ("" when there is no extension).
std::string ExtensionKey(const std::string& path) {
  const std::string name = AlbumFileNameOf(path);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string key = name.substr(dot + 1, 3);
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

}  // namespace

bool IsAviPath(const std::string& path) { return ExtensionKey(path) == "AVI"; }

bool IsMetafilePath(const std::string& path) {
  const std::string key = ExtensionKey(path);
  return key == "WMF" || key == "EMF";
}

std::string AlbumFileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<int> ParseSetting(const std::string& text, int min, int max) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const std::size_t last = text.find_last_not_of(' ');
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+') ++begin;
  int value = 0;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end || value < min || value > max) return std::nullopt;
  return value;
}
