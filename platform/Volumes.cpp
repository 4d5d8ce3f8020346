#include "platform/Volumes.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unordered_set>

namespace {

// Mount points escape space, tab, newline and backslash as \ooo.
std::string Unescape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() &&
        s.substr(i + 1, 3).find_first_not_of("01234567") == std::string_view::npos) {
      out += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool Under(const std::string& path, std::string_view folder) {
  return path == folder || (path.size() > folder.size() && path.starts_with(folder) &&
                            path[folder.size()] == '/');
}

}  // namespace

std::vector<TMountEntry> ParseMountInfo(std::string_view text) {
  std::vector<TMountEntry> entries;
  std::istringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::vector<std::string> parts{std::istream_iterator<std::string>(fields),
                                   std::istream_iterator<std::string>()};
    // id parent major:minor root mountpoint options [optional...] - type source options
    const auto dash = std::find(parts.begin(), parts.end(), "-");
    if (parts.size() < 5 || dash == parts.end() || dash + 1 == parts.end()) continue;
    entries.push_back({Unescape(parts[4]), *(dash + 1)});
  }
  return entries;
}

bool IsPseudoFileSystem(const TMountEntry& entry) {
  static const std::unordered_set<std::string> kPseudo = {
      "proc",      "sysfs",      "devtmpfs",  "devpts",   "cgroup",      "cgroup2",
      "pstore",    "bpf",        "debugfs",   "tracefs",  "securityfs",  "configfs",
      "fusectl",   "mqueue",     "hugetlbfs", "autofs",   "binfmt_misc", "efivarfs",
      "nsfs",      "rpc_pipefs", "selinuxfs", "nfsd",     "ramfs",       "devfs",
      "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs"};
  const std::string& mount = entry.MountPoint;
  if (kPseudo.count(entry.Type)) return true;
  if (entry.Type == "overlay") return mount != "/";
  if (entry.Type == "squashfs" && Under(mount, "/snap")) return true;
  if (Under(mount, "/proc") || Under(mount, "/sys")) return true;
  if (entry.Type == "tmpfs")
    return Under(mount, "/run") || Under(mount, "/dev") || Under(mount, "/var/run") ||
           Under(mount, "/var/lock");
  return false;
}

std::vector<std::string> UserVolumes(const std::vector<TMountEntry>& entries) {
  std::vector<std::string> volumes;
  std::unordered_set<std::string> seen;
  // A later mount over the same point hides the earlier one.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (!seen.insert(it->MountPoint).second) continue;
    if (!IsPseudoFileSystem(*it)) volumes.push_back(it->MountPoint);
  }
  if (std::find(volumes.begin(), volumes.end(), "/") == volumes.end()) volumes.push_back("/");
  std::sort(volumes.begin(), volumes.end(), [](const std::string& a, const std::string& b) {
    if (a == "/" || b == "/") return a == "/" && b != "/";
    return a < b;
  });
  return volumes;
}

std::vector<std::string> MountedVolumes() {
  std::ifstream in("/proc/self/mountinfo");
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return UserVolumes(ParseMountInfo(text));
}

std::string VolumeOf(const std::string& path, const std::vector<std::string>& volumes) {
  std::string best = "/";
  for (const std::string& v : volumes)
    if ((v == "/" || Under(path, v)) && v.size() > best.size()) best = v;
  return best;
}
