#include "files/FileErrors.h"

#include <cstring>

std::string FormatFileMessage(const char* pattern, const std::string& path) {
  std::string text = pattern;
  if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, path);
  return text;
}

std::string SystemReason(int error) {
  char buffer[256];
  // The GNU variant returns the text (in the buffer or a static string).
  return strerror_r(error, buffer, sizeof buffer);
}

bool FailWith(std::string* reason, const std::string& text) {
  if (reason) *reason = text;
  return false;
}
