// The desktop's trash (the freedesktop.org trash layout): a file moves into the trash of its
// own volume — the home trash ($XDG_DATA_HOME/Trash) when it lies on the home trash's volume,
// otherwise $topdir/.Trash/$uid (when the administrator made a sticky .Trash) or
// $topdir/.Trash-$uid — together with a .trashinfo file that lets any file manager restore it.
// Nothing in the trash is ever replaced.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

// Moves one file (or folder) to the trash. False, with `reason`, when it stays where it was.
bool RecycleFile(const std::string& path, std::string* reason = nullptr);

// $XDG_DATA_HOME/Trash, or ~/.local/share/Trash when XDG_DATA_HOME is unset or not absolute.
std::string HomeTrashDirectory();

// Where a file would go: the trash folder (holding files/ and info/) and the top folder its
// .trashinfo paths are relative to ("" for the home trash, whose paths are absolute). The
// folders are created when missing. False when the volume offers no usable trash.
struct TTrashLocation {
  std::string Directory;
  std::string TopDirectory;
};
bool TrashLocationFor(const std::string& absolutePath, TTrashLocation& location,
                      std::string* reason = nullptr);

// The contents of a .trashinfo file: "[Trash Info]", "Path=" (percent-encoded) and
// "DeletionDate=" (local time, YYYY-MM-DDThh:mm:ss), each line ending in a newline.
std::string TrashInfoText(std::string_view path, std::time_t deleted);
// Percent-encoding of a path as the trash stores it: bytes other than letters, digits,
// "-", "_", ".", "~" and "/" become %XX.
std::string EncodeTrashPath(std::string_view path);
std::string DecodeTrashPath(std::string_view encoded);
