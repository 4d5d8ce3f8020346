#include "tools/cli/GIFOutput.h"

#include <charconv>
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

