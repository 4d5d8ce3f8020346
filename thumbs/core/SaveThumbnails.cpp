#include "thumbs/core/SaveThumbnails.h"

#include <filesystem>

#include "imaging/formats/LoadSave.h"
#include "thumbs/core/RegistryLoad.h"
#include "thumbs/core/ThumbnailMaker.h"

namespace fs = std::filesystem;

namespace {

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  const bool same = fs::equivalent(a, b, ec);
  return !ec && same;
}

void CheckTargets(const std::vector<std::string>& pictures, const TSaveThumbsOptions& o) {
  if (o.Folder.empty() || !fs::is_directory(o.Folder))
    throw ESaveThumbsError("The folder " + o.Folder + " does not exist.");
  for (const std::string& p : pictures) {
    if (o.Prefix.empty() && SameFolder(fs::path(p).parent_path(), o.Folder))
      throw ESaveThumbsError(
          "Thumbnails without a file prefix cannot be saved into the pictures' own folder: "
          "they could replace the pictures. Enter a prefix or choose another folder.");
    const std::string target = ThumbnailFileName(p, o);
    std::error_code ec;
    if (fs::equivalent(target, p, ec) && !ec)
      throw ESaveThumbsError("The thumbnail of " + p + " would replace the picture itself.");
  }
}

}  // namespace

std::string ThumbnailFileName(const std::string& picture, const TSaveThumbsOptions& o) {
  return (fs::path(o.Folder) / (o.Prefix + fs::path(picture).stem().string() + "." + o.Extension))
      .string();
}

TSaveThumbsReport SaveThumbnails(const std::vector<std::string>& pictures,
                                 const TSaveThumbsOptions& o,
                                 const std::function<bool(int, int)>& progress) {
  CheckTargets(pictures, o);
  TSaveThumbsReport report;
  const int count = static_cast<int>(pictures.size());
  for (int i = 0; i < count; ++i) {
    if (progress && !progress(i, count)) break;
    try {
      TPixelGraphic picture;
      const TThumbSize full = LoadPictureCovering(
          pictures[i], picture, [&](int w, int h) { return ExplorerThumbSize(w, h, o.MaxSide); },
          true);
      TPixelGraphic thumb;
      TThumbnailMaker::Resample(thumb, picture, ExplorerThumbSize(full.Width, full.Height, o.MaxSide));
      thumb.SaveColorResWarningAction = pgwaIgnore;
      SaveToFile(thumb, ThumbnailFileName(pictures[i], o));
      ++report.Written;
    } catch (const std::exception&) {
      report.Failed.push_back(pictures[i]);
    }
  }
  return report;
}
