// How far the batch converter's scaled JPEG decode moves the result: each photo is converted
// with --fit WxH once from the full decode and once from the scaled decode, and the two
// results are compared per channel (largest and mean difference, share of values off by more
// than 2).
//   convert_scaled_accuracy WxH PHOTO.jpg...
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "convert/core/ConvertFile.h"
#include "imaging/formats/FormatContext.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace {

void Compare(const TPixelGraphic& a, const TPixelGraphic& b, const std::string& name) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) {
    std::printf("%s: sizes differ (%dx%d, %dx%d)\n", name.c_str(), a.Width(), a.Height(),
                b.Width(), b.Height());
    return;
  }
  int worst = 0;
  double sum = 0;
  long long over2 = 0, count = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TRGB p = a.PixelColor(x, y), q = b.PixelColor(x, y);
      for (int d : {RedOf(p) - RedOf(q), GreenOf(p) - GreenOf(q), BlueOf(p) - BlueOf(q)}) {
        d = std::abs(d);
        worst = std::max(worst, d);
        sum += d;
        over2 += d > 2;
        ++count;
      }
    }
  std::printf("%-48s %5dx%-5d max %3d  mean %.3f  >2: %.3f%%\n", name.c_str(), a.Width(),
              a.Height(), worst, sum / double(count), 100.0 * double(over2) / double(count));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: convert_scaled_accuracy WxH PHOTO.jpg...\n");
    return 2;
  }
  InitFormatLibrary();
  TConversion conversion;
  conversion.Resize = true;
  if (std::sscanf(argv[1], "%dx%d", &conversion.FitWidth, &conversion.FitHeight) != 2) return 2;
  conversion.WarningAction = pgwaIgnore;
  const std::string folder = "/tmp/convert-accuracy-" + std::to_string(getpid());
  std::system(("mkdir -p " + folder).c_str());
  for (int i = 2; i < argc; ++i) {
    const std::string full = folder + "/full.bmp", scaled = folder + "/scaled.bmp";
    conversion.ScaledJPEGDecode = false;
    ConvertFile(argv[i], full, conversion, CaptureFormatContext());
    conversion.ScaledJPEGDecode = true;
    ConvertFile(argv[i], scaled, conversion, CaptureFormatContext());
    TPixelGraphic a, b;
    LoadFromFile(a, full);
    LoadFromFile(b, scaled);
    std::string name = argv[i];
    name = name.substr(name.find_last_of('/') + 1);
    Compare(a, b, name);
  }
  std::system(("rm -rf " + folder).c_str());
  return 0;
}
