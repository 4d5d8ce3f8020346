#include <libexif/exif-data.h>

#include <array>
#include <cstdint>
#include <fstream>

#include "imaging/formats/Orientation.h"

namespace {

constexpr std::uint16_t kOrientationTag = 274;
constexpr std::uint16_t kShortType = 3;
constexpr unsigned kMaxEntries = 4096;  // far above any real directory; bounds a bad count

int Checked(int value) { return value >= 1 && value <= 8 ? value : kOrientationUpright; }

int JPEGOrientation(const std::string& fileName) {
  ExifData* data = exif_data_new_from_file(fileName.c_str());
  if (!data) return kOrientationUpright;
  int value = kOrientationUpright;
  if (ExifEntry* entry = exif_data_get_entry(data, EXIF_TAG_ORIENTATION);
      entry && entry->format == EXIF_FORMAT_SHORT && entry->components >= 1 && entry->data)
    value = Checked(exif_get_short(entry->data, exif_data_get_byte_order(data)));
  exif_data_unref(data);
  return value;
}

// Walks the first directory of a TIFF file for the tag.
int TIFFOrientation(std::ifstream& in, bool motorola) {
  auto read = [&](int bytes) -> std::uint32_t {
    std::array<unsigned char, 4> b{};
    if (!in.read(reinterpret_cast<char*>(b.data()), bytes)) return 0;
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
      v |= std::uint32_t{b[motorola ? i : bytes - 1 - i]} << (8 * (bytes - 1 - i));
    return v;
  };
  in.seekg(4);
  const std::uint32_t directory = read(4);
  if (!in || directory < 8) return kOrientationUpright;
  in.seekg(directory);
  const std::uint32_t count = read(2);
  if (!in || count > kMaxEntries) return kOrientationUpright;
  for (std::uint32_t i = 0; i < count && in; ++i) {
    const std::uint32_t tag = read(2), type = read(2), n = read(4);
    const std::uint32_t value = read(2);
    read(2);
    if (tag == kOrientationTag)
      return type == kShortType && n >= 1 ? Checked(int(value)) : kOrientationUpright;
  }
  return kOrientationUpright;
}

}  // namespace

int ReadOrientation(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::array<unsigned char, 4> magic{};
  if (!in.read(reinterpret_cast<char*>(magic.data()), 4)) return kOrientationUpright;
  if (magic[0] == 0xFF && magic[1] == 0xD8) return JPEGOrientation(fileName);
  if (magic[0] == 'I' && magic[1] == 'I' && magic[2] == 42 && magic[3] == 0)
    return TIFFOrientation(in, false);
  if (magic[0] == 'M' && magic[1] == 'M' && magic[2] == 0 && magic[3] == 42)
    return TIFFOrientation(in, true);
  return kOrientationUpright;
}
