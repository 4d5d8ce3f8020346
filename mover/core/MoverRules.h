// The move tool's rules without a window: the preview box sizes, the preview kind, the
// snapshot of the source list that tells new files apart, and the paths of a deletion.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kPreviewBox = 145;

struct TBoxSize {
  int Width = 0;
  int Height = 0;
  bool operator==(const TBoxSize&) const = default;
};

// A picture or video of w x h shrunk (or grown) into the 145-pixel box keeping its ratio:
// r = h / w; r > 1: height 145, width round(145 / r); otherwise width 145, height round(r x 145)
// (halves to even). A size that is not known yet (0 or negative) gives the whole box.
TBoxSize FitPreviewBox(int width, int height, int box = kPreviewBox);
// A GIF or a picture control: its own size when it fits the box, else shrunk into it.
TBoxSize FitIfLarger(int width, int height, int box = kPreviewBox);

// The preview's display kind: characters 2 to 4 of the extension, upper-cased ("JPE" for
// ".jpeg", "" without an extension).
std::string PreviewKindOf(const std::string& fileName);

// "<trunc(bytes / 1024) + 1>K"; "0K" for a file that is not there.
std::string PreviewSizeText(std::int64_t bytes);

// The snapshot of the source list: its names, sorted.
std::vector<std::string> SnapshotOf(std::vector<std::string> names);
// The first entry of `names`, in list order, that the snapshot does not hold; -1 when none.
int FirstNewEntry(const std::vector<std::string>& snapshot, const std::vector<std::string>& names);

// The full path of an entry of `folder`: folder + "/" + name, or folder + name when the folder
// ends with "/" (the root of a volume).
std::string EntryPath(const std::string& folder, const std::string& name);
