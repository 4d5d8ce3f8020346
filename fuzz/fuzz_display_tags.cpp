// The orientation tag and colour profile readers over arbitrary files (they read by file
// name, so the input goes through a temporary file), then the profile applied to a picture.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "imaging/formats/ColorProfile.h"
#include "imaging/formats/Orientation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  char path[] = "/tmp/lumivex-fuzz-tags-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return 0;
  std::size_t written = 0;
  while (written < size) {
    const ssize_t n = write(fd, data + written, size - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  close(fd);
  const int orientation = ReadOrientation(path);
  if (orientation < 1 || orientation > 8) __builtin_trap();
  const TColorProfile profile = ReadColorProfile(path);
  std::remove(path);
  TPixelGraphic picture;
  picture.SetSize(7, 5, pf24Bit);
  ApplyOrientation(picture, orientation);
  if (!profile.empty()) ConvertToSRGB(picture, profile);
  return 0;
}
