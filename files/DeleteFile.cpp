#include <unistd.h>

#include <cerrno>

#include "files/FileOps.h"

bool DeleteFilePermanently(const std::string& path, std::string* reason) {
  if (unlink(path.c_str()) == 0) return true;
  return FailWith(reason, SystemReason(errno));
}
