#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/FileOps.h"
#include "files/FilePaths.h"

namespace {

// Where the file system cannot rename without replacing, a file is linked under the new name
// (which never replaces) and unlinked under the old one.
bool LinkRename(const std::string& from, const std::string& to, std::string* reason) {
  struct stat st {};
  if (lstat(from.c_str(), &st) != 0) return FailWith(reason, SystemReason(errno));
  if (S_ISDIR(st.st_mode)) return FailWith(reason, "the file system cannot rename safely");
  if (link(from.c_str(), to.c_str()) != 0) return FailWith(reason, SystemReason(errno));
  if (unlink(from.c_str()) != 0) {
    const int error = errno;
    unlink(to.c_str());
    return FailWith(reason, SystemReason(error));
  }
  return true;
}

}  // namespace

bool RenameEntry(const std::string& folder, const std::string& oldName,
                 const std::string& newName, std::string* reason) {
  if (!IsValidEntryName(newName)) return FailWith(reason, "not a valid name");
  if (!IsValidEntryName(oldName)) return FailWith(reason, "not a valid name");
  const std::string from = JoinPath(folder, oldName);
  const std::string to = JoinPath(folder, newName);
  if (newName == oldName) {
    if (PathExists(from)) return true;
    return FailWith(reason, SystemReason(ENOENT));
  }
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  const int error = errno;
  if (error == EINVAL || error == ENOSYS || error == ENOTSUP) return LinkRename(from, to, reason);
  return FailWith(reason, SystemReason(error));
}
