// Writes thumbnails of pictures to files: for each picture a thumbnail of at most the chosen
// size (small pictures keep theirs) in the chosen format, named with a prefix before the
// picture's name, in the chosen folder.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

struct TSaveThumbsOptions {
  int MaxSide = 64;
  std::string Extension = "bmp";  // the writer's extension
  std::string Folder;             // where the thumbnails go
  std::string Prefix = "thm_";
};

class ESaveThumbsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TSaveThumbsReport {
  int Written = 0;
  std::vector<std::string> Failed;  // the pictures whose thumbnail could not be written
};

// The file a picture's thumbnail goes to: FOLDER/PREFIX + name without extension + "." + ext.
std::string ThumbnailFileName(const std::string& picture, const TSaveThumbsOptions& options);

// Raises ESaveThumbsError before writing anything when the thumbnails could replace the
// pictures: an empty prefix into the pictures' own folder, or a target that is one of the
// pictures. `progress` (index, count) may return false to stop.
TSaveThumbsReport SaveThumbnails(const std::vector<std::string>& pictures,
                                 const TSaveThumbsOptions& options,
                                 const std::function<bool(int, int)>& progress = {});
