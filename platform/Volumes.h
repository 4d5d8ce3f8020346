// The mounted volumes a user keeps files on: the drives of the drive lists and of an all-drives
// search. Pseudo file systems (proc, sysfs, cgroups, devpts, tmpfs under /run, /dev and /sys,
// overlays other than the root...) are left out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TMountEntry {
  std::string MountPoint;
  std::string Type;
};

// The entries of a /proc/self/mountinfo text, in its order (escaped characters decoded).
std::vector<TMountEntry> ParseMountInfo(std::string_view text);
bool IsPseudoFileSystem(const TMountEntry& entry);
// The mount points of the real volumes among `entries`: "/" first, then by name, each once.
std::vector<std::string> UserVolumes(const std::vector<TMountEntry>& entries);
// UserVolumes of this process's mounts; at least "/".
std::vector<std::string> MountedVolumes();
// The volume of `path` among `volumes` (the longest mount point that contains it).
std::string VolumeOf(const std::string& path, const std::vector<std::string>& volumes);
