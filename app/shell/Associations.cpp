#include "app/shell/Associations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/shell/ExecLine.h"
#include "files/FilePaths.h"

namespace {

constexpr std::uintmax_t kMaxTextFile = 16u << 20;

[[noreturn]] void CannotCreate(const std::string& path, const std::string& reason) {
  throw EAssociationError("Cannot create " + path +
                          ", the user account may not have the required rights to create it (" +
                          reason + ").");
}

std::string TrimmedLine(const std::string& line) {
  std::size_t b = 0, e = line.size();
  while (b < e && (line[b] == ' ' || line[b] == '\t')) ++b;
  while (e > b && (line[e - 1] == ' ' || line[e - 1] == '\t' || line[e - 1] == '\r')) --e;
  return line.substr(b, e - b);
}

std::string KeyOf(const std::string& line) {
  const std::string t = TrimmedLine(line);
  if (t.empty() || t[0] == '#' || t[0] == '[') return "";
  const std::size_t eq = t.find('=');
  return eq == std::string::npos ? "" : TrimmedLine(t.substr(0, eq));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

}  // namespace

const std::vector<std::string>& MimeTypesOf(int type) {
  static const std::array<std::vector<std::string>, kFileTypeCount> kTypes = {{
      {"image/jpeg", "image/pjpeg"},                          // JPG
      {"image/gif"},                                          // GIF
      {"image/bmp", "image/x-bmp", "image/x-ms-bmp"},         // BMP
      {"image/vnd.microsoft.icon", "image/x-icon"},           // ICO
      {"image/wmf", "image/x-wmf", "image/emf", "image/x-emf"},  // WMF
      {"video/x-msvideo", "video/avi", "video/msvideo"},      // AVI
      {"image/vnd.zbrush.pcx", "image/x-pcx"},                // PCX
      {"image/png"},                                          // PNG
      {"image/x-tga", "image/x-targa"},                       // TGA
      {"image/tiff"},                                         // TIF
  }};
  static const std::vector<std::string> kNone;
  return type >= 0 && type < kFileTypeCount ? kTypes[static_cast<std::size_t>(type)] : kNone;
}

std::vector<std::string> MimeTypesFor(const TFileTypeSet& ticked) {
  std::vector<std::string> types;
  for (int i = 0; i < kFileTypeCount; ++i)
    if (ticked[static_cast<std::size_t>(i)])
      for (const std::string& t : MimeTypesOf(i)) types.push_back(t);
  return types;
}

std::string DesktopEntryText(const std::string& executable,
                             const std::vector<std::string>& mimeTypes) {
  std::string text =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Lumivex\n"
      "GenericName=Picture Browser\n"
      "Comment=Browse, view and edit your pictures\n"
      "Keywords=picture;photo;image;slideshow;viewer;\n"
      "Exec=" + ExecValue({executable}, "%F") + "\n"
      "Icon=lumivex\n"
      "Terminal=false\n"
      "Categories=Graphics;Viewer;\n"
      "MimeType=";
  for (const std::string& t : mimeTypes) text += t + ";";
  return text + "\n";
}

std::string WithDefaults(const std::string& mimeApps, const std::string& desktopId,
                         const std::vector<std::string>& mimeTypes) {
  std::vector<std::string> lines = Lines(mimeApps);
  std::vector<bool> done(mimeTypes.size(), false);
  std::size_t groupEnd = std::string::npos;  // the line after the group's last key
  bool inGroup = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string t = TrimmedLine(lines[i]);
    if (!t.empty() && t[0] == '[') {
      inGroup = t == "[Default Applications]";
      if (inGroup) groupEnd = i + 1;
      continue;
    }
    if (!inGroup) continue;
    const std::string key = KeyOf(lines[i]);
    if (!key.empty()) groupEnd = i + 1;
    for (std::size_t k = 0; k < mimeTypes.size(); ++k)
      if (key == mimeTypes[k]) {
        lines[i] = key + "=" + desktopId + ";";
        done[k] = true;
      }
  }
  std::vector<std::string> added;
  for (std::size_t k = 0; k < mimeTypes.size(); ++k)
    if (!done[k]) added.push_back(mimeTypes[k] + "=" + desktopId + ";");
  if (groupEnd == std::string::npos) {
    if (!lines.empty() && !TrimmedLine(lines.back()).empty()) lines.push_back("");
    lines.push_back("[Default Applications]");
    groupEnd = lines.size();
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(groupEnd), added.begin(), added.end());
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

std::string TAssociationPlaces::EntryPath() const {
  return JoinPath(JoinPath(DataHome, "applications"), kDesktopEntryName);
}

std::string TAssociationPlaces::MimeAppsPath() const { return JoinPath(ConfigHome, "mimeapps.list"); }

TAssociationPlaces TAssociationPlaces::From(const std::string& xdgDataHome,
                                            const std::string& xdgConfigHome,
                                            const std::string& home) {
  // Relative values are invalid by the base directory rules and are ignored.
  TAssociationPlaces p;
  p.DataHome = !xdgDataHome.empty() && xdgDataHome[0] == '/' ? xdgDataHome
                                                             : JoinPath(home, ".local/share");
  p.ConfigHome = !xdgConfigHome.empty() && xdgConfigHome[0] == '/' ? xdgConfigHome
                                                                   : JoinPath(home, ".config");
  return p;
}

std::string ReadSmallTextFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return "";
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) throw EAssociationError("Cannot read " + path + " (" + ec.message() + ").");
  if (size > kMaxTextFile) throw EAssociationError("Cannot read " + path + " (the file is too large).");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EAssociationError("Cannot read " + path + " (" + std::strerror(errno) + ").");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFileReplacing(const std::string& path, const std::string& text) {
  std::error_code ec;
  std::filesystem::create_directories(FolderOf(path), ec);
  if (ec) CannotCreate(path, ec.message());
  std::string temp = JoinPath(FolderOf(path), "." + FileNameOf(path) + ".XXXXXX");
  const int fd = mkstemp(temp.data());
  if (fd < 0) CannotCreate(path, std::strerror(errno));
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  const int error = errno;
  const bool ok = written == text.size() && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
  if (close(fd) != 0 || !ok) {
    unlink(temp.c_str());
    CannotCreate(path, std::strerror(ok ? errno : error));
  }
  if (rename(temp.c_str(), path.c_str()) != 0) {
    const int renameError = errno;
    unlink(temp.c_str());
    CannotCreate(path, std::strerror(renameError));
  }
}

void Associate(const TAssociationPlaces& places, const std::string& executable,
               const TFileTypeSet& ticked) {
  const std::vector<std::string> types = MimeTypesFor(ticked);
  if (types.empty()) return;
  const std::string oldMimeApps = ReadSmallTextFile(places.MimeAppsPath());
  const bool hadMimeApps = PathExists(places.MimeAppsPath());
  WriteFileReplacing(places.MimeAppsPath(), WithDefaults(oldMimeApps, kDesktopEntryName, types));
  try {
    WriteFileReplacing(places.EntryPath(), DesktopEntryText(executable, types));
  } catch (...) {
    if (hadMimeApps)
      WriteFileReplacing(places.MimeAppsPath(), oldMimeApps);
    else
      unlink(places.MimeAppsPath().c_str());
    throw;
  }
}
