// The four attributes of the attributes dialog, with their Linux meanings: read-only is the
// owner's write permission (the one attribute that can be changed here); hidden is a name that
// begins with a dot; archive and system have no meaning and are always off.
#pragma once

#include <ctime>
#include <string>

struct TFileAttributes {
  bool ReadOnly = false;
  bool Archive = false;
  bool System = false;
  bool Hidden = false;
  bool operator==(const TFileAttributes&) const = default;
};

struct TFileAttributeInfo {
  TFileAttributes Attributes;
  std::time_t LastChange = 0;  // the last write, seconds since 1970
};

// False when nothing is at `path`.
bool ReadFileAttributes(const std::string& path, TFileAttributeInfo& info);

enum class TAttributeWrite { Unchanged, Written, Failed };

// Writes `wanted` over `current` (as read before): nothing is written unless the read-only
// flag differs; only the owner's write permission changes then.
TAttributeWrite WriteFileAttributes(const std::string& path, const TFileAttributes& current,
                                    const TFileAttributes& wanted, std::string* reason = nullptr);
