#include "thumbs/core/RegistryLoad.h"

#include <mutex>

#include "imaging/formats/LoadSave.h"

void LoadThroughRegistry(const std::string& path, TPixelGraphic& picture, bool preview) {
  static std::mutex turns;
  picture.PreviewLoad = preview;
  picture.ReadWarningAction = pgwaIgnore;
  std::lock_guard<std::mutex> hold(turns);
  LoadFromFile(picture, path);
}
