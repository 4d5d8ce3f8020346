#include "platform/Trash.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "files/FileErrors.h"
#include "files/FilePaths.h"

namespace {

constexpr std::size_t kNameMax = 255;

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && home[0] == '/') return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

bool MakeFolder(const std::string& path, std::string* reason) {
  if (mkdir(path.c_str(), 0700) == 0 || errno == EEXIST) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
    return FailWith(reason, path + " is not a folder");
  }
  return FailWith(reason, "cannot create " + path + ": " + SystemReason(errno));
}

// Creates `path` and the folders above it that are missing.
bool MakeFolders(const std::string& path, std::string* reason) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return true;
    return FailWith(reason, path + " is not a folder");
  }
  const std::string parent = FolderOf(path);
  if (!parent.empty() && parent != path && !MakeFolders(parent, reason)) return false;
  return MakeFolder(path, reason);
}

// The device of `path`, or of its nearest existing ancestor.
bool DeviceOf(std::string path, dev_t& device) {
  struct stat st {};
  while (stat(path.c_str(), &st) != 0) {
    if (path == "/" || path.empty()) return false;
    path = FolderOf(path);
  }
  device = st.st_dev;
  return true;
}

// The mount point of the volume holding `folder` (a resolved path): the highest folder above
// it on the same device.
std::string TopFolderOf(std::string folder, dev_t device) {
  while (folder != "/") {
    const std::string parent = FolderOf(folder);
    struct stat st {};
    if (stat(parent.c_str(), &st) != 0 || st.st_dev != device) break;
    folder = parent;
  }
  return folder;
}

bool AdminTrash(const std::string& top, std::string& directory) {
  const std::string admin = JoinPath(top, ".Trash");
  struct stat st {};
  if (lstat(admin.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || (st.st_mode & S_ISVTX) == 0)
    return false;
  directory = JoinPath(admin, std::to_string(getuid()));
  if (!MakeFolder(directory, nullptr)) return false;
  return lstat(directory.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid();
}

bool UserTrash(const std::string& top, std::string& directory, std::string* reason) {
  directory = JoinPath(top, ".Trash-" + std::to_string(getuid()));
  if (!MakeFolder(directory, reason)) return false;
  struct stat st {};
  if (lstat(directory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
    return FailWith(reason, directory + " is not this user's trash");
  return true;
}

// "name", "name.2.ext", "name.3.ext" ...: the n-th candidate name in the trash, short enough
// to take the ".trashinfo" suffix.
std::string TrashName(const std::string& name, int n) {
  std::string stem = name, ext;
  if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) {
    stem = name.substr(0, dot);
    ext = name.substr(dot);
  }
  const std::string number = n == 1 ? std::string() : "." + std::to_string(n);
  const std::size_t room = kNameMax - std::string(".trashinfo").size();
  if (ext.size() > room / 2) {
    stem = name;
    ext.clear();
  }
  std::size_t keep = stem.size();
  while (keep > 0 && keep + number.size() + ext.size() > room) --keep;
  // Never cut a UTF-8 sequence in two.
  while (keep > 0 && keep < stem.size() && (static_cast<unsigned char>(stem[keep]) & 0xC0) == 0x80)
    --keep;
  return stem.substr(0, keep) + number + ext;
}

bool WriteInfoFile(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Moves `from` to `to` unless something is there already: 0, EEXIST or another errno.
int MoveNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
  if (PathExists(to)) return EEXIST;
  return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

enum class TAttempt { Done, NameTaken, Failed };

// One try under one name: the .trashinfo first (created exclusively, so it reserves the name),
// then the file itself; the info file goes again when the file cannot follow.
TAttempt TryTrashName(const std::string& path, const std::string& infoPath,
                      const TTrashLocation& location, const std::string& trashName,
                      std::string* reason) {
  const std::string info = JoinPath(JoinPath(location.Directory, "info"), trashName + ".trashinfo");
  const int fd = open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0 && errno == EEXIST) return TAttempt::NameTaken;
  if (fd < 0) {
    FailWith(reason, "cannot write " + info + ": " + SystemReason(errno));
    return TAttempt::Failed;
  }
  const bool written = WriteInfoFile(fd, TrashInfoText(infoPath, std::time(nullptr)));
  const bool closed = close(fd) == 0;
  if (!written || !closed) {
    unlink(info.c_str());
    FailWith(reason, "cannot write " + info);
    return TAttempt::Failed;
  }
  const int error = MoveNoReplace(path, JoinPath(JoinPath(location.Directory, "files"), trashName));
  if (error == 0) return TAttempt::Done;
  unlink(info.c_str());
  if (error == EEXIST) return TAttempt::NameTaken;
  FailWith(reason, SystemReason(error));
  return TAttempt::Failed;
}

}  // namespace

std::string HomeTrashDirectory() {
  const char* data = std::getenv("XDG_DATA_HOME");
  const std::string base =
      data && data[0] == '/' ? std::string(data) : JoinPath(HomeFolder(), ".local/share");
  return JoinPath(base, "Trash");
}

bool TrashLocationFor(const std::string& absolutePath, TTrashLocation& location,
                      std::string* reason) {
  struct stat st {};
  if (lstat(absolutePath.c_str(), &st) != 0) return FailWith(reason, SystemReason(errno));
  const std::string home = HomeTrashDirectory();
  dev_t homeDevice = 0;
  if (DeviceOf(home, homeDevice) && homeDevice == st.st_dev) {
    location = {home, ""};
  } else {
    const std::string top = TopFolderOf(FolderOf(absolutePath), st.st_dev);
    location.TopDirectory = top;
    if (!AdminTrash(top, location.Directory) && !UserTrash(top, location.Directory, reason))
      return false;
  }
  return MakeFolders(JoinPath(location.Directory, "files"), reason) &&
         MakeFolders(JoinPath(location.Directory, "info"), reason);
}

bool RecycleFile(const std::string& path, std::string* reason) {
  const std::string absolute = AbsolutePath(path);
  const std::string name = FileNameOf(absolute);
  if (!IsValidEntryName(name)) return FailWith(reason, "not a file");
  char resolved[PATH_MAX];
  if (!realpath(FolderOf(absolute).c_str(), resolved)) return FailWith(reason, SystemReason(errno));
  const std::string full = JoinPath(resolved, name);

  TTrashLocation location;
  if (!TrashLocationFor(full, location, reason)) return false;
  std::string infoPath = full;
  if (!location.TopDirectory.empty())
    infoPath = full.substr(location.TopDirectory == "/" ? 1 : location.TopDirectory.size() + 1);

  for (int n = 1; n < 100000; ++n) {
    switch (TryTrashName(full, infoPath, location, TrashName(name, n), reason)) {
      case TAttempt::Done: return true;
      case TAttempt::Failed: return false;
      case TAttempt::NameTaken: break;
    }
  }
  return FailWith(reason, "no free name in the trash");
}

std::string TrashInfoText(std::string_view path, std::time_t deleted) {
  std::tm local{};
  localtime_r(&deleted, &local);
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  return "[Trash Info]\nPath=" + EncodeTrashPath(path) + "\nDeletionDate=" + date + "\n";
}

std::string EncodeTrashPath(std::string_view path) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string out;
  for (const char ch : path) {
    const auto c = static_cast<unsigned char>(ch);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                       (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '~' ||
                       c == '/';
    if (plain) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string DecodeTrashPath(std::string_view encoded) {
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string out;
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] == '%' && i + 2 < encoded.size() && hex(encoded[i + 1]) >= 0 &&
        hex(encoded[i + 2]) >= 0) {
      out += static_cast<char>(hex(encoded[i + 1]) * 16 + hex(encoded[i + 2]));
      i += 2;
    } else {
      out += encoded[i];
    }
  }
  return out;
}
