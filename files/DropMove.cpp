#include "files/DropMove.h"

#include "files/FileOps.h"
#include "files/FilePaths.h"

std::string MoveDroppedFiles(const std::string& folder, const std::vector<std::string>& paths,
                             const std::string& currentName,
                             const std::function<void(const std::string&)>& report) {
  std::string remembered = currentName;
  for (const std::string& path : paths) {
    const std::string target = JoinPath(folder, FileNameOf(path));
    try {
      if (PathExists(target)) {
        report("file " + target + " already exists. Select another directory before moving");
      } else if (FileSizeOf(path) < 1) {
        report(path + " has a size of zero. This may be because it is not yet closed.");
      } else {
        RelocateFile(path, target);
        remembered = FileNameOf(target);
      }
    } catch (const EFileError&) {
      report("error moving file " + path);
    }
  }
  return remembered;
}
