// The picture files a batch conversion works on, and where each one goes.
#pragma once

#include <string>
#include <vector>

struct TBatchInput {
  std::string Path;
  std::string Relative;  // below the folder given on the command line, or the file name
};

// Files given by name are taken as they are (a missing one too, so that it is reported);
// folders give the files whose extension a reader knows, sorted by name, descending into
// subfolders with `recursive`. Unreadable folders are listed in `errors`.
std::vector<TBatchInput> CollectBatchInputs(const std::vector<std::string>& inputs,
                                            bool recursive, std::vector<std::string>& errors);
