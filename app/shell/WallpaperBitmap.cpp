#include "app/shell/WallpaperBitmap.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "files/FileErrors.h"
#include "files/FilePaths.h"
#include "imaging/PGraphic.h"
#include "imaging/formats/LoadSave.h"

namespace {

[[noreturn]] void CannotCreate(const std::string& path, int error) {
  throw EFileError(FormatFileMessage("Cannot create file %s", path), SystemReason(error));
}

// Removes the temporary file unless it was handed on.
struct TTempFile {
  std::string Path;
  ~TTempFile() {
    if (!Path.empty()) unlink(Path.c_str());
  }
};

}  // namespace

std::string WallpaperBitmapPath(const std::string& dataFolder, const std::string& picture) {
  std::string stem = FileNameOf(picture);
  stem = stem.substr(0, stem.find('.'));
  if (stem.empty()) stem = "wallpaper";
  return JoinPath(JoinPath(dataFolder, "wallpaper"), stem + ".bmp");
}

bool MakeWallpaperBitmap(const std::string& picture, const std::string& target,
                         const std::function<bool(const std::string& target)>& replace) {
  TPixelGraphic image;
  LoadFromFile(image, picture);
  const std::string folder = FolderOf(target);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) CannotCreate(target, ec.value());

  TTempFile temp{JoinPath(folder, ".lumivex-wallpaper-XXXXXX.bmp")};
  const int fd = mkstemps(temp.Path.data(), 4);
  if (fd < 0) {
    const int error = errno;
    temp.Path.clear();
    CannotCreate(target, error);
  }
  close(fd);
  SaveToFile(image, temp.Path);

  if (renameat2(AT_FDCWD, temp.Path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
    temp.Path.clear();
    return true;
  }
  if (errno != EEXIST) {
    // File systems that cannot promise not to replace: a hard link never replaces.
    if (link(temp.Path.c_str(), target.c_str()) == 0) return true;
    if (errno != EEXIST) CannotCreate(target, errno);
  }
  if (!replace(target)) return false;
  if (rename(temp.Path.c_str(), target.c_str()) != 0) CannotCreate(target, errno);
  temp.Path.clear();
  return true;
}
