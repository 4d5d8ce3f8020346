// Orientation tags: every one of the eight values read from JPEG (EXIF) and TIFF files and
// turned upright, for true-colour and palette pictures; bad tags leave the picture alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Orientation.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

struct TempDir {
  fs::path Path = fs::temp_directory_path() / ("lumivex-orientation-" + std::to_string(::getpid()));
  TempDir() { fs::create_directories(Path); }
  ~TempDir() { fs::remove_all(Path); }
  std::string File(const std::string& name) const { return (Path / name).string(); }
};

void Write(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Put16(Bytes& b, unsigned v, bool motorola) {
  if (motorola) b.insert(b.end(), {static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)});
  else b.insert(b.end(), {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)});
}
void Put32(Bytes& b, unsigned v, bool motorola) {
  if (motorola) { Put16(b, v >> 16, true); Put16(b, v & 0xFFFF, true); }
  else { Put16(b, v & 0xFFFF, false); Put16(b, v >> 16, false); }
}
// One directory entry holding a single SHORT or LONG value.
void Entry(Bytes& b, unsigned tag, unsigned type, unsigned value, bool motorola) {
  Put16(b, tag, motorola);
  Put16(b, type, motorola);
  Put32(b, 1, motorola);
  if (type == 3) { Put16(b, value, motorola); Put16(b, 0, motorola); }
  else Put32(b, value, motorola);
}

// A 3 x 2 grey TIFF whose pixel (x, y) is 10 * y + x + 1, with the orientation tag.
Bytes GreyTIFF(int orientation, bool motorola) {
  Bytes b = motorola ? Bytes{'M', 'M', 0, 42} : Bytes{'I', 'I', 42, 0};
  Put32(b, 8, motorola);
  const unsigned entries = 10, data = 8 + 2 + entries * 12 + 4;
  Put16(b, entries, motorola);
  Entry(b, 256, 3, 3, motorola);
  Entry(b, 257, 3, 2, motorola);
  Entry(b, 258, 3, 8, motorola);
  Entry(b, 259, 3, 1, motorola);
  Entry(b, 262, 3, 1, motorola);
  Entry(b, 273, 4, data, motorola);
  Entry(b, 274, 3, unsigned(orientation), motorola);
  Entry(b, 277, 3, 1, motorola);
  Entry(b, 278, 3, 2, motorola);
  Entry(b, 279, 4, 6, motorola);
  Put32(b, 0, motorola);
  b.insert(b.end(), {1, 2, 3, 11, 12, 13});
  return b;
}

// Inserts an EXIF segment carrying the orientation right after the JPEG's start marker.
Bytes WithExif(const Bytes& jpeg, int orientation, bool motorola) {
  Bytes exif = {'E', 'x', 'i', 'f', 0, 0};
  Bytes tiff = motorola ? Bytes{'M', 'M', 0, 42} : Bytes{'I', 'I', 42, 0};
  Put32(tiff, 8, motorola);
  Put16(tiff, 1, motorola);
  Entry(tiff, 0x0112, 3, unsigned(orientation), motorola);
  Put32(tiff, 0, motorola);
  exif.insert(exif.end(), tiff.begin(), tiff.end());
  const unsigned length = unsigned(exif.size()) + 2;
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  out.insert(out.end(), {0xFF, 0xE1, static_cast<unsigned char>(length >> 8),
                         static_cast<unsigned char>(length)});
  out.insert(out.end(), exif.begin(), exif.end());
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

// Where the upright pixel (x, y) is stored, for a stored picture of w x h.
std::pair<int, int> StoredAt(int orientation, int x, int y, int w, int h) {
  switch (orientation) {
    case 2: return {w - 1 - x, y};
    case 3: return {w - 1 - x, h - 1 - y};
    case 4: return {x, h - 1 - y};
    case 5: return {y, x};
    case 6: return {y, h - 1 - x};
    case 7: return {w - 1 - y, h - 1 - x};
    case 8: return {w - 1 - y, x};
    default: return {x, y};
  }
}

void ExpectUpright(const TPixelGraphic& stored, const TPixelGraphic& upright, int orientation) {
  const bool turned = orientation >= 5;
  ASSERT_EQ(upright.Width(), turned ? stored.Height() : stored.Width()) << orientation;
  ASSERT_EQ(upright.Height(), turned ? stored.Width() : stored.Height()) << orientation;
  ASSERT_EQ(upright.PixelFormat(), stored.PixelFormat());
  for (int y = 0; y < upright.Height(); ++y)
    for (int x = 0; x < upright.Width(); ++x) {
      const auto [sx, sy] = StoredAt(orientation, x, y, stored.Width(), stored.Height());
      EXPECT_EQ(upright.Pixel(x, y), stored.Pixel(sx, sy))
          << "orientation " << orientation << " at " << x << "," << y;
    }
}

TEST(Orientation, AllEightValuesTurnTrueColourPicturesUpright) {
  TPixelGraphic stored;
  stored.SetSize(5, 3, pf24Bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) stored.SetPixel(x, y, RGBColor(x * 40, y * 90, 7));
  for (int o = 1; o <= 8; ++o) {
    TPixelGraphic upright;
    upright.Assign(&stored);
    ApplyOrientation(upright, o);
    ExpectUpright(stored, upright, o);
  }
  TPixelGraphic same;
  same.Assign(&stored);
  for (int bad : {0, 9, -3, 1000}) {
    ApplyOrientation(same, bad);
    ExpectUpright(stored, same, 1);
  }
}

TEST(Orientation, AllEightValuesFromTIFFFilesBothByteOrders) {
  TempDir dir;
  TPixelGraphic stored;
  Write(dir.File("plain.tif"), GreyTIFF(1, false));
  LoadFromFile(stored, dir.File("plain.tif"));
  ASSERT_EQ(stored.Width(), 3);
  ASSERT_EQ(stored.PixelColor(2, 1), RGBColor(13, 13, 13));
  for (bool motorola : {false, true})
    for (int o = 1; o <= 8; ++o) {
      const std::string path = dir.File("o" + std::to_string(o) + (motorola ? "m" : "i") + ".tif");
      Write(path, GreyTIFF(o, motorola));
      EXPECT_EQ(ReadOrientation(path), o);
      TPixelGraphic upright;
      LoadFromFile(upright, path);
      ApplyOrientation(upright, ReadOrientation(path));
      ExpectUpright(stored, upright, o);
    }
  Write(dir.File("bad.tif"), GreyTIFF(9, false));
  EXPECT_EQ(ReadOrientation(dir.File("bad.tif")), 1);
}

TEST(Orientation, AllEightValuesFromJPEGExif) {
  TempDir dir;
  // Left half red, right half blue: lossy, so compared by halves.
  TPixelGraphic source;
  source.SetSize(32, 16, pf24Bit);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) source.SetPixel(x, y, x < 16 ? RGBColor(255, 0, 0) : RGBColor(0, 0, 255));
  SaveToFile(source, dir.File("plain.jpg"));
  const Bytes jpeg = Read(dir.File("plain.jpg"));
  EXPECT_EQ(ReadOrientation(dir.File("plain.jpg")), 1);
  for (int o = 1; o <= 8; ++o) {
    const std::string path = dir.File("o" + std::to_string(o) + ".jpg");
    Write(path, WithExif(jpeg, o, o % 2 == 0));
    ASSERT_EQ(ReadOrientation(path), o);
    TPixelGraphic upright;
    LoadFromFile(upright, path);
    ApplyOrientation(upright, o);
    const int w = upright.Width(), h = upright.Height();
    EXPECT_EQ(w, o >= 5 ? 16 : 32);
    // The red half of the stored picture, found where the tag says it belongs.
    for (int y = 0; y < h; y += 3)
      for (int x = 0; x < w; x += 3) {
        const auto [sx, sy] = StoredAt(o, x, y, 32, 16);
        const bool red = RedOf(upright.Pixel(x, y)) > BlueOf(upright.Pixel(x, y));
        EXPECT_EQ(red, sx < 16) << "orientation " << o << " at " << x << "," << y;
      }
  }
  Write(dir.File("bad.jpg"), WithExif(jpeg, 0, false));
  EXPECT_EQ(ReadOrientation(dir.File("bad.jpg")), 1);
  Write(dir.File("short.jpg"), Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0x40});
  EXPECT_EQ(ReadOrientation(dir.File("short.jpg")), 1);
  EXPECT_EQ(ReadOrientation(dir.File("missing.jpg")), 1);
}

}  // namespace
