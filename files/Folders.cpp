#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/FileOps.h"
#include "files/FilePaths.h"

std::string AddFolder(const std::string& folder, const std::string& name, std::string* reason) {
  if (!IsValidEntryName(name)) {
    FailWith(reason, "not a valid name");
    return {};
  }
  const std::string path = JoinPath(folder, name);
  if (mkdir(path.c_str(), 0777) != 0) {
    FailWith(reason, SystemReason(errno));
    return {};
  }
  return path;
}

bool RemoveEmptyFolder(const std::string& path, std::string* reason) {
  if (rmdir(path.c_str()) == 0) return true;
  return FailWith(reason, SystemReason(errno));
}
