// The failure of a file routine: the message a window shows ("Cannot create file /a/b.jpg")
// and, apart from it, what the system said ("No space left on device").
#pragma once

#include <stdexcept>
#include <string>

class EFileError : public std::runtime_error {
 public:
  EFileError(const std::string& message, std::string reason)
      : std::runtime_error(message), FReason(std::move(reason)) {}
  const std::string& Reason() const { return FReason; }
  // The message followed by the reason, for a terminal or a log.
  std::string Detailed() const { return FReason.empty() ? what() : what() + (": " + FReason); }

 private:
  std::string FReason;
};

// A message pattern with one "%s" replaced by `path`.
std::string FormatFileMessage(const char* pattern, const std::string& path);
// The system's text for an errno value.
std::string SystemReason(int error);
// Stores `text` in `reason` (when given) and returns false, for routines that report failure.
bool FailWith(std::string* reason, const std::string& text);
