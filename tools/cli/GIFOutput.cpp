#include "tools/cli/GIFOutput.h"

#include <charconv>
#include <limits>
#include <unordered_map>
#include <vector>

#include "imaging/formats/GIFWriter.h"
#include "imaging/formats/Registry.h"

bool IsGIFOutput(const std::string& fileName) { return ExtensionOf(fileName) == "gif"; }

TRGB ParseTransparentColor(const std::string& value) {
  int parts[3] = {};
  const char* p = value.data();
  const char* end = value.data() + value.size();
  for (int i = 0; i < 3; ++i) {
    const auto [next, ec] = std::from_chars(p, end, parts[i]);
    if (ec != std::errc() || parts[i] < 0 || parts[i] > 255)
      throw TUsageError{"--transparent expects R,G,B with values 0..255, not \"" + value + "\""};
    p = next;
    if (i < 2) {
      if (p == end || *p != ',')
        throw TUsageError{"--transparent expects R,G,B, not \"" + value + "\""};
      ++p;
    }
  }
  if (p != end) throw TUsageError{"--transparent expects R,G,B, not \"" + value + "\""};
  return RGBColor(parts[0], parts[1], parts[2]);
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

bool SaveAsGIF(const TPixelGraphic& source, const std::string& fileName,
               const TGIFOutputOptions& options) {
  // 236 colours chosen from the picture plus the 16 system colours, dithered.
  TPixelGraphic reduced;
  reduced.SetSize(source.Width(), source.Height(), pf8Bit);
  MakeOptimizedPalette(reduced, source, 252, true);
  reduced.Dither = true;
  reduced.SetRGBWeighting(true);
  reduced.CopyFrom(source);
  // The colour is matched in the source: the reduction may have moved it (white becomes
  // the nearest palette colour, and dithering scatters it).
  const bool transparent =
      options.Transparent && KeepTransparentColor(source, reduced, options.TransparentColor);
  if (!WriteGIFFile(fileName, reduced, options.Interlaced, options.TransparentColor, transparent))
    throw EPixelGraphic("GIF: the picture could not be written (status " +
                        std::to_string(GIFWriteStatus()) + ")");
  return transparent || !options.Transparent;
}
