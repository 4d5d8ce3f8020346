// Every filter and effect by name on small pictures of every pixel format, with parameter
// values anywhere in their ranges. The input's first bytes choose the filter, the picture's
// size and format, the parameters and the seed; the rest fills the palette and the pixels.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/filters/FilterCatalog.h"

namespace {

class TFuzzBytes {
 public:
  TFuzzBytes(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}
  std::uint8_t Next() { return FPos < FSize ? FData[FPos++] : 0; }
  std::uint16_t Next16() { return static_cast<std::uint16_t>(Next() | (Next() << 8)); }

 private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};

std::string ParamSetting(const TFilterParam& p, TFuzzBytes& bytes) {
  const double t = bytes.Next16() / 65535.0;
  std::string value;
  switch (p.Kind) {
    case TFilterParamKind::Boolean: value = (bytes.Next() & 1) ? "true" : "false"; break;
    case TFilterParamKind::Choice:
      value = p.Choices.empty() ? "" : p.Choices[bytes.Next() % p.Choices.size()];
      break;
    case TFilterParamKind::Integer:
      value = std::to_string(static_cast<long long>(p.Min + t * (p.Max - p.Min) + 0.5));
      break;
    case TFilterParamKind::Decimal: value = std::to_string(p.Min + t * (p.Max - p.Min)); break;
  }
  return p.Key + "=" + value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TFuzzBytes bytes(data, size);
  const auto& entries = FilterEntries();
  const TFilterEntry& entry = entries[bytes.Next() % entries.size()];
  const int width = bytes.Next() % 48;   // 0 makes an empty picture
  const int height = bytes.Next() % 48;
  const auto format = static_cast<TPixelFormat>(bytes.Next() % 4);
  std::vector<std::string> settings;
  for (const TFilterParam& p : entry.Params)
    if (bytes.Next() & 1) settings.push_back(ParamSetting(p, bytes));
  const std::uint64_t seed = bytes.Next16();
  const int threads = 1 + bytes.Next() % 3;

  TPixelGraphic image;
  image.SetSize(width, height, format);
  if (format != pf24Bit && !image.Empty()) {
    image.SetPaletteCount(image.MaxPaletteCount());
    for (int i = 0; i < image.MaxPaletteCount(); ++i)
    {
      const int r = bytes.Next(), g = bytes.Next(), b = bytes.Next();
      image.SetPaletteColor(i, RGBColor(r, g, b));
    }
    image.UpdatePaletteIdent();
  }
  const int rowBytes = (width * BitCountOf(format) + 7) / 8;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = image.ScanLine(y);
    for (int x = 0; x < rowBytes; ++x) row[x] = bytes.Next();
  }

  TFilterArgs args;
  try {
    args = ParseFilterArgs(entry, settings);
  } catch (const TFilterArgError&) {
    __builtin_trap();  // every value given lies inside its range
  }
  TPGFilterOptions options;
  options.Threads = threads;
  try {
    RunFilter(entry, args, image, seed, options);
  } catch (const std::runtime_error&) {
    // clear refusals (e.g. a deviation that would divide by zero) are fine
  }
  return 0;
}
