#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/FileOps.h"
#include "files/FilePaths.h"

namespace {

[[noreturn]] void CannotMove(const std::string& source, const std::string& reason) {
  throw EFileError(FormatFileMessage("Cannot move file %s", source), reason);
}

// Renames without replacing; 0 or the errno. EINVAL means the file system cannot promise
// not to replace (RENAME_NOREPLACE is unsupported there).
int RenameNoReplace(const std::string& source, const std::string& target) {
  return renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0
             ? 0
             : errno;
}

// Where the file system cannot rename without replacing: a hard link never replaces.
int LinkThenUnlink(const std::string& source, const std::string& target) {
  if (link(source.c_str(), target.c_str()) != 0) return errno;
  if (unlink(source.c_str()) != 0) {
    const int error = errno;
    unlink(target.c_str());
    return error;
  }
  return 0;
}

void CopyThenRemove(const std::string& source, const struct stat& st,
                    const std::string& target) {
  if (!S_ISREG(st.st_mode)) CannotMove(source, "only files move to another file system");
  if ((st.st_mode & S_IWUSR) == 0) CannotMove(source, "the file is read-only");
  if (PathExists(target)) CannotMove(source, SystemReason(EEXIST));
  CopyFileBlocks(source, target, /*sync=*/true);
  if (unlink(source.c_str()) != 0) {
    // The source stays where it was, so the copy goes: a move happens entirely or not at all.
    const int error = errno;
    unlink(target.c_str());
    CannotMove(source, SystemReason(error));
  }
}

}  // namespace

void RelocateFile(const std::string& source, const std::string& targetPath) {
  const std::string target = AbsolutePath(targetPath);
  struct stat st {};
  if (lstat(source.c_str(), &st) != 0) CannotMove(source, SystemReason(errno));
  int error = RenameNoReplace(source, target);
  if (error == EINVAL || error == ENOSYS || error == ENOTSUP) {
    if (S_ISDIR(st.st_mode)) CannotMove(source, SystemReason(error));
    error = LinkThenUnlink(source, target);
    if (error == EPERM || error == ENOTSUP || error == EOPNOTSUPP) {
      // No hard links here either: copy into a new file, which also never replaces.
      if (PathExists(target)) CannotMove(source, SystemReason(EEXIST));
      error = EXDEV;
    }
  }
  if (error == 0) return;
  if (error != EXDEV) CannotMove(source, SystemReason(error));
  CopyThenRemove(source, st, target);
}
