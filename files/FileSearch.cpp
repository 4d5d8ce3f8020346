#include "files/FileSearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <utility>

#include "files/FilePaths.h"
#include "files/Wildcard.h"

namespace {

class TSearchWalk {
 public:
  TSearchWalk(const TSearchRequest& request, const std::atomic<bool>& stop, TSearchSink& sink)
      : FPattern(request.Pattern), FCapacity(request.Capacity), FStop(stop), FSink(sink) {}

  TSearchResult Run(const std::vector<std::string>& roots) {
    for (const std::string& root : roots) {
      if (FEnd != TSearchEnd::Finished) break;
      SearchRoot(root);
    }
    if (FEnd == TSearchEnd::Finished && FStop.load(std::memory_order_relaxed))
      FEnd = TSearchEnd::Stopped;
    return {FEnd, FCount};
  }

 private:
  void SearchRoot(const std::string& root) {
    std::string path = AbsolutePath(root);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return;
    if (!FVisited.insert({st.st_dev, st.st_ino}).second) return;
    FDevice = st.st_dev;
    if (path.back() != '/') path += '/';
    Walk(path);
  }

  bool Stopped() {
    if (FEnd == TSearchEnd::Finished && FStop.load(std::memory_order_relaxed))
      FEnd = TSearchEnd::Stopped;
    return FEnd != TSearchEnd::Finished;
  }

  // A subfolder worth entering: on the start folder's volume and not entered before.
  bool Enter(const struct stat& st) {
    return S_ISDIR(st.st_mode) && st.st_dev == FDevice &&
           FVisited.insert({st.st_dev, st.st_ino}).second;
  }

  void Add(std::string& folder, const char* name) {
    if (FCount >= FCapacity) {
      FEnd = TSearchEnd::Full;
      return;
    }
    const std::size_t length = folder.size();
    folder += name;
    FSink.Found(folder);
    folder.resize(length);
    ++FCount;
  }

  // Reads one folder: its matching files go to the sink, its subfolders are returned.
  std::vector<std::string> ReadFolder(std::string& folder) {
    std::vector<std::string> subfolders;
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return subfolders;
    DIR* dir = fdopendir(fd);
    if (!dir) {
      close(fd);
      return subfolders;
    }
    while (const dirent* entry = readdir(dir)) {
      const char* name = entry->d_name;
      if (name[0] == '.') continue;
      unsigned char type = entry->d_type;
      struct stat st {};
      if (type == DT_DIR) {
        if (fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) == 0 && Enter(st))
          subfolders.emplace_back(name);
        continue;
      }
      if (type == DT_LNK || type == DT_UNKNOWN) {
        const int flags = type == DT_LNK ? AT_NO_AUTOMOUNT : AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT;
        if (fstatat(fd, name, &st, flags) != 0) continue;
        if (S_ISDIR(st.st_mode)) {
          if (Enter(st)) subfolders.emplace_back(name);
          continue;
        }
        type = S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
      }
      if (type != DT_REG || !FPattern.Matches(name)) continue;
      Add(folder, name);
      if (FEnd == TSearchEnd::Full) break;
    }
    closedir(dir);
    return subfolders;
  }

  void Walk(std::string& folder) {
    if (Stopped()) return;
    FSink.Entering(folder);
    const std::vector<std::string> subfolders = ReadFolder(folder);
    const std::size_t length = folder.size();
    for (const std::string& name : subfolders) {
      if (Stopped()) return;
      folder += name;
      folder += '/';
      Walk(folder);
      folder.resize(length);
    }
  }

  TWildcard FPattern;
  std::size_t FCapacity;
  const std::atomic<bool>& FStop;
  TSearchSink& FSink;
  std::set<std::pair<dev_t, ino_t>> FVisited;
  dev_t FDevice = 0;
  std::size_t FCount = 0;
  TSearchEnd FEnd = TSearchEnd::Finished;
};

}  // namespace

TSearchResult SearchFiles(const TSearchRequest& request, const std::atomic<bool>& stop,
                          TSearchSink& sink) {
  TSearchWalk walk(request, stop, sink);
  return walk.Run(request.Roots);
}

std::string SearchCountText(std::size_t count) {
  return std::to_string(count) + " files found - Double click filename to view.";
}
