#include "thumbs/core/RegistryLoad.h"

#include "imaging/formats/LoadSave.h"
#include "imaging/formats/JPEGScaledLoad.h"

void LoadThroughRegistry(const std::string& path, TPixelGraphic& picture, bool preview) {
  picture.PreviewLoad = preview;
  picture.ReadWarningAction = pgwaIgnore;
  LoadFromFile(picture, path);
}

TThumbSize LoadPictureCovering(const std::string& path, TPixelGraphic& picture,
                               const std::function<TThumbSize(int, int)>& wanted, bool preview) {
  if (IsJPEGFile(path)) {
    const TJPEGScaledResult r = LoadJPEGScaled(path, picture, wanted);
    return {r.FullWidth, r.FullHeight};
  }
  LoadThroughRegistry(path, picture, preview);
  return {picture.Width(), picture.Height()};
}
