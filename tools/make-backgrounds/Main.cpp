// Makes the tileable pictures of the sheet creator's "Backgrounds" folder:
//   lumivex-make-backgrounds FOLDER
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iostream>

#include "imaging/PGraphic.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace {

// A small deterministic noise source, so every build makes the same files.
struct TNoise {
  std::uint32_t State;
  explicit TNoise(std::uint32_t seed) : State(seed) {}
  int Next(int range) {
    State = State * 1664525u + 1013904223u;
    return static_cast<int>((State >> 8) % static_cast<std::uint32_t>(range));
  }
};

int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

void Make(const std::filesystem::path& file, int w, int h,
          const std::function<TRGB(int, int)>& color) {
  TPixelGraphic p;
  p.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.SetPixelColor(x, y, color(x, y));
  SaveToFile(p, file.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: lumivex-make-backgrounds FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  InitFormatLibrary();
  try {
    TNoise paper(7);
    Make(folder / "Paper.png", 128, 128, [&](int, int) {
      const int n = paper.Next(13) - 6;
      return RGBColor(Clamp(246 + n), Clamp(241 + n), Clamp(226 + n));
    });
    Make(folder / "Linen.png", 64, 64, [](int x, int y) {
      const bool thread = x % 4 == 0 || y % 4 == 0;
      const int d = thread ? -14 : ((x + y) % 8 == 0 ? -6 : 0);
      return RGBColor(238 + d, 232 + d, 214 + d);
    });
    Make(folder / "Blueprint.png", 80, 80, [](int x, int y) {
      if (x % 40 == 0 || y % 40 == 0) return RGBColor(150, 180, 225);
      if (x % 10 == 0 || y % 10 == 0) return RGBColor(45, 85, 150);
      return RGBColor(24, 60, 122);
    });
    TNoise slate(11);
    Make(folder / "Slate.png", 96, 96, [&](int x, int y) {
      const double wave = 6 * std::sin(x * 2 * M_PI / 96) * std::cos(y * 2 * M_PI / 48);
      const int v = Clamp(70 + static_cast<int>(wave) + slate.Next(9) - 4);
      return RGBColor(v, v + 4, v + 10);
    });
    Make(folder / "Checks.png", 64, 64, [](int x, int y) {
      return ((x / 32) + (y / 32)) % 2 ? RGBColor(236, 236, 240) : RGBColor(250, 250, 252);
    });
  } catch (const std::exception& e) {
    std::cerr << "lumivex-make-backgrounds: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
