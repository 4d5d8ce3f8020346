// Paths of the file routines: folder + "/" + name, absolute paths, sizes and new names.
#pragma once

#include <cstdint>
#include <string>

// folder + "/" + name, the separator added only when the folder does not end with one.
std::string JoinPath(const std::string& folder, const std::string& name);
// The part after the last "/" (the whole path when there is none).
std::string FileNameOf(const std::string& path);
// The part before the last "/" ("/" for a file in the root, "" without a "/").
std::string FolderOf(const std::string& path);
// The path made absolute against the working folder, without "." components and repeated
// separators. ".." stays (through a link it does not mean the textual parent).
std::string AbsolutePath(const std::string& path);
// The size in bytes of the file at `path` (links followed); 0 for a folder, -1 when nothing
// is there.
std::int64_t FileSizeOf(const std::string& path);
// True when something (a file, folder or link) is at `path`.
bool PathExists(const std::string& path);
// A name a file or folder may take inside a folder: not empty, no "/", no NUL, not "." or "..".
bool IsValidEntryName(const std::string& name);
