#include "convert/core/GIFConversion.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <vector>

#include "imaging/formats/GIFWriter.h"

void ReplaceFileWith(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
  struct stat existing {};
  const bool existed = stat(fileName.c_str(), &existing) == 0;
  const std::size_t slash = fileName.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : fileName.substr(0, slash + 1);
  std::string tempName = folder + "/.lumivex-save-XXXXXX";
  const int fd = mkstemp(tempName.data());
  if (fd < 0)
    throw EPixelGraphic("Cannot create file \"" + fileName + "\": " + std::strerror(errno));
  mode_t mode = existing.st_mode & 07777;
  if (!existed) {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  const bool written = done == bytes.size() && close(fd) == 0;
  if (!written || std::rename(tempName.c_str(), fileName.c_str()) != 0) {
    const int error = errno;
    std::remove(tempName.c_str());
    throw EPixelGraphic("Cannot write file \"" + fileName + "\": " + std::strerror(error));
  }
}

namespace {

int Distance(TRGB a, TRGB b) {
  const int r = RedOf(a) - RedOf(b), g = GreenOf(a) - GreenOf(b), bl = BlueOf(a) - BlueOf(b);
  return r * r + g * g + bl * bl;
}

// The palette entry nearest to `color` other than `excluded`.
int NearestOtherEntry(const TPixelGraphic& image, TRGB color, int excluded) {
  int best = -1, bestDistance = std::numeric_limits<int>::max();
  for (int i = 0; i < image.PaletteCount(); ++i) {
    if (i == excluded) continue;
    const int d = Distance(image.PaletteColor(i), color);
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

}  // namespace

bool KeepTransparentColor(const TPixelGraphic& source, TPixelGraphic& reduced, TRGB color) {
  color &= 0xFFFFFF;
  const int w = source.Width(), h = source.Height();
  std::vector<bool> marked(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  bool any = false;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (source.PixelColor(x, y) == color) marked[std::size_t(y) * w + x] = any = true;
  if (!any || reduced.PaletteCount() < 2) return false;
  // The entry the reduction chose for the colour now holds exactly that colour; another
  // entry of the same colour is moved off it by one step of blue, or it would turn
  // transparent as well.
  const int key = static_cast<int>(reduced.ColorToIndex(color));
  reduced.SetPaletteColor(key, color);
  for (int i = 0; i < reduced.PaletteCount(); ++i)
    if (i != key && reduced.PaletteColor(i) == color) reduced.SetPaletteColor(i, color ^ 0x010000);
  std::unordered_map<TRGB, int> others;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (marked[std::size_t(y) * w + x]) {
        reduced.SetPixel(x, y, static_cast<TRGB>(key));
      } else if (static_cast<int>(reduced.Pixel(x, y)) == key) {
        const TRGB c = source.PixelColor(x, y);
        auto it = others.find(c);
        if (it == others.end()) it = others.emplace(c, NearestOtherEntry(reduced, c, key)).first;
        reduced.SetPixel(x, y, static_cast<TRGB>(it->second));
      }
    }
  return true;
}

void ReduceForGIF(const TPixelGraphic& source, int width, int height, TPixelGraphic& reduced) {
  reduced.SetSize(std::max(1, width), std::max(1, height), pf8Bit);
  MakeOptimizedPalette(reduced, source, 252, true);
  reduced.Dither = true;
  reduced.SetRGBWeighting(true);
  reduced.CopyFrom(source);
}

void WriteReducedGIF(const TPixelGraphic& reduced, const std::string& fileName, bool interlaced,
                     TRGB transparentColor, bool transparent) {
  std::vector<std::uint8_t> bytes;
  if (!EncodeGIF(reduced, interlaced, transparentColor, transparent, bytes))
    throw EPixelGraphic("GIF: the picture could not be written (status " +
                        std::to_string(GIFWriteStatus()) + ")");
  ReplaceFileWith(fileName, bytes);
}

bool SaveAsGIF(const TPixelGraphic& source, const std::string& fileName,
               const TGIFOutputOptions& options) {
  TPixelGraphic reduced;
  ReduceForGIF(source, source.Width(), source.Height(), reduced);
  // The colour is matched in the source: the reduction may have moved it (white becomes
  // the nearest palette colour, and dithering scatters it).
  const bool transparent =
      options.Transparent && KeepTransparentColor(source, reduced, options.TransparentColor);
  WriteReducedGIF(reduced, fileName, options.Interlaced, options.TransparentColor, transparent);
  return transparent || !options.Transparent;
}
