#include "convert/core/TargetName.h"

std::string ConvertedName(const std::string& source, const std::string& extension) {
  const std::size_t slash = source.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = source.find_last_of('.');
  if (dot == std::string::npos || dot <= nameStart) return source + "." + extension;
  return source.substr(0, dot + 1) + extension;
}

std::string BangName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(0, nameStart) + "!" + path.substr(nameStart);
}
