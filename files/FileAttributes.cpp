#include "files/FileAttributes.h"

#include <sys/stat.h>

#include <cerrno>

#include "files/FileErrors.h"
#include "files/FilePaths.h"

bool ReadFileAttributes(const std::string& path, TFileAttributeInfo& info) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  info.Attributes = TFileAttributes{};
  info.Attributes.ReadOnly = (st.st_mode & S_IWUSR) == 0;
  info.Attributes.Hidden = FileNameOf(path).starts_with('.');
  info.LastChange = st.st_mtim.tv_sec;
  return true;
}

TAttributeWrite WriteFileAttributes(const std::string& path, const TFileAttributes& current,
                                    const TFileAttributes& wanted, std::string* reason) {
  if (wanted.ReadOnly == current.ReadOnly) return TAttributeWrite::Unchanged;
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) {
    FailWith(reason, SystemReason(errno));
    return TAttributeWrite::Failed;
  }
  mode_t mode = st.st_mode & 07777;
  mode = wanted.ReadOnly ? (mode & ~S_IWUSR) : (mode | S_IWUSR);
  if (chmod(path.c_str(), mode) != 0) {
    FailWith(reason, SystemReason(errno));
    return TAttributeWrite::Failed;
  }
  return TAttributeWrite::Written;
}
