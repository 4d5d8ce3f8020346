#include "thumbs/core/ThumbnailCache.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <fcntl.h>
#include <nettle/md5.h>
#include <sys/stat.h>
#include <unistd.h>

#include "thumbs/core/ThumbnailPNG.h"

namespace {

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string HexMD5(const std::string& text) {
  md5_ctx ctx;
  md5_init(&ctx);
  md5_update(&ctx, text.size(), reinterpret_cast<const std::uint8_t*>(text.data()));
  std::uint8_t digest[MD5_DIGEST_SIZE];
  md5_digest(&ctx, MD5_DIGEST_SIZE, digest);
  static const char* const hex = "0123456789abcdef";
  std::string out;
  for (std::uint8_t b : digest) {
    out += hex[b >> 4];
    out += hex[b & 15];
  }
  return out;
}

// The file's modification time in whole seconds and its size; false when it cannot be read.
bool FileStamp(const std::string& path, long long& mtime, long long& size) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  mtime = static_cast<long long>(st.st_mtime);
  size = static_cast<long long>(st.st_size);
  return true;
}

// Makes the folder and its missing parents, each new one with mode 0700.
bool MakePrivateFolder(const std::string& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const std::filesystem::path p(folder);
  if (p.has_parent_path() && p.parent_path() != p && !MakePrivateFolder(p.parent_path()))
    return false;
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool ParseInt(const std::string& text, long long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && end && *end == '\0';
}

}  // namespace

TThumbnailCache::TThumbnailCache(std::string root) : FRoot(std::move(root)) {}

std::string TThumbnailCache::DefaultRoot() {
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/thumbnails";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.cache/thumbnails";
  return {};
}

std::string TThumbnailCache::UriOf(const std::string& path) {
  std::error_code ec;
  std::string absolute = std::filesystem::absolute(path, ec).lexically_normal().string();
  if (ec) absolute = path;
  static const char* const hex = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : absolute) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                       (c >= '0' && c <= '9') || std::string_view("-._~!$&'()*+,=:@/").find(
                                                      static_cast<char>(c)) != std::string_view::npos;
    if (plain) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += hex[c >> 4];
      uri += hex[c & 15];
    }
  }
  return uri;
}

std::string TThumbnailCache::EntryPath(const std::string& path, TFlavor flavor) const {
  return FRoot + (flavor == tfNormal ? "/normal/" : "/large/") + HexMD5(UriOf(path)) + ".png";
}

bool TThumbnailCache::Read(const std::string& path, TFlavor flavor, TCachedThumbnail& out) const {
  if (!Enabled()) return false;
  long long mtime = 0, size = 0;
  if (!FileStamp(path, mtime, size)) return false;
  std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(EntryPath(path, flavor).c_str(), "rb"));
  if (!file) return false;
  auto picture = std::make_unique<TPixelGraphic>();
  TPNGTextKeys keys;
  try {
    keys = ReadThumbnailPNG(file.get(), *picture, 0xFFFFFF, MaxSideOf(flavor));
  } catch (const std::exception&) {
    return false;
  }
  long long storedTime = 0, width = 0, height = 0;
  if (keys["Thumb::URI"] != UriOf(path) || !ParseInt(keys["Thumb::MTime"], storedTime) ||
      storedTime != mtime)
    return false;
  // Entries of other programs may lack the picture's size; the thumbnail's own then serves.
  if (!ParseInt(keys["Thumb::Image::Width"], width) ||
      !ParseInt(keys["Thumb::Image::Height"], height) || width < 1 || height < 1 ||
      width > 1 << 30 || height > 1 << 30) {
    width = picture->Width();
    height = picture->Height();
  }
  out.Picture = std::move(picture);
  out.ImageWidth = static_cast<int>(width);
  out.ImageHeight = static_cast<int>(height);
  return true;
}

bool TThumbnailCache::Write(const std::string& path, TFlavor flavor, const TPixelGraphic& thumbnail,
                            int imageWidth, int imageHeight) const {
  if (!Enabled() || thumbnail.Empty() || thumbnail.Width() > MaxSideOf(flavor) ||
      thumbnail.Height() > MaxSideOf(flavor))
    return false;
  long long mtime = 0, size = 0;
  if (!FileStamp(path, mtime, size)) return false;
  const std::string folder = FRoot + (flavor == tfNormal ? "/normal" : "/large");
  if (!MakePrivateFolder(FRoot) || !MakePrivateFolder(folder)) return false;
  const std::string target = EntryPath(path, flavor);
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());  // mode 0600
  if (fd < 0) return false;
  bool written = false;
  if (std::FILE* file = ::fdopen(fd, "wb")) {
    try {
      WriteThumbnailPNG(file, thumbnail,
                        {{"Thumb::URI", UriOf(path)},
                         {"Thumb::MTime", std::to_string(mtime)},
                         {"Thumb::Size", std::to_string(size)},
                         {"Thumb::Image::Width", std::to_string(imageWidth)},
                         {"Thumb::Image::Height", std::to_string(imageHeight)},
                         {"Software", "Lumivex"}});
      written = std::fflush(file) == 0;
    } catch (const std::exception&) {
      written = false;
    }
    written = std::fclose(file) == 0 && written;
  } else {
    ::close(fd);
  }
  if (written && ::rename(temp.c_str(), target.c_str()) == 0) return true;
  ::unlink(temp.c_str());
  return false;
}
