// Embedded colour profiles: found in PNG, JPEG and TIFF files, converted to sRGB so that a
// wide-gamut picture shows its true colours, left alone when damaged; files never change.
#include <gtest/gtest.h>
#include <lcms2.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "imaging/formats/ColorProfile.h"
#include "imaging/formats/LoadSave.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct TempDir {
  fs::path Path = fs::temp_directory_path() / ("lumivex-profile-" + std::to_string(::getpid()));
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
void Put32(Bytes& b, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(std::uint8_t(v >> s));
}

// A wide-gamut RGB profile (the primaries of the "Wide Gamut RGB" space, D50, gamma 2.2).
Bytes WideGamutProfile() {
  const cmsCIExyY white = {0.3457, 0.3585, 1.0};
  const cmsCIExyYTRIPLE primaries = {{0.7347, 0.2653, 1.0}, {0.1152, 0.8264, 1.0}, {0.1566, 0.0177, 1.0}};
  cmsToneCurve* gamma = cmsBuildGamma(nullptr, 2.2);
  cmsToneCurve* curves[3] = {gamma, gamma, gamma};
  cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
  cmsFreeToneCurve(gamma);
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  Bytes bytes(size);
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  cmsCloseProfile(profile);
  return bytes;
}

Bytes SRGBProfile() {
  cmsHPROFILE profile = cmsCreate_sRGBProfile();
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  Bytes bytes(size);
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  cmsCloseProfile(profile);
  return bytes;
}

// The PNG with an iCCP chunk after its header chunk.
Bytes PNGWithProfile(const Bytes& png, const Bytes& profile) {
  uLongf packedSize = compressBound(uLong(profile.size()));
  Bytes packed(packedSize);
  compress2(packed.data(), &packedSize, profile.data(), uLong(profile.size()), 9);
  packed.resize(packedSize);
  Bytes data = {'w', 'i', 'd', 'e', 0, 0};
  data.insert(data.end(), packed.begin(), packed.end());
  Bytes chunk;
  Put32(chunk, std::uint32_t(data.size()));
  const Bytes type = {'i', 'C', 'C', 'P'};
  chunk.insert(chunk.end(), type.begin(), type.end());
  chunk.insert(chunk.end(), data.begin(), data.end());
  uLong crc = crc32(0, type.data(), 4);
  crc = crc32(crc, data.data(), uInt(data.size()));
  Put32(chunk, std::uint32_t(crc));
  Bytes out(png.begin(), png.begin() + 33);  // signature and IHDR
  out.insert(out.end(), chunk.begin(), chunk.end());
  out.insert(out.end(), png.begin() + 33, png.end());
  return out;
}

// The JPEG with the profile in two APP2 segments, the second one first in the file.
Bytes JPEGWithProfile(const Bytes& jpeg, const Bytes& profile) {
  const std::size_t half = profile.size() / 2;
  auto segment = [&](int sequence, std::size_t from, std::size_t to) {
    const std::string tag("ICC_PROFILE", 12);  // with its closing zero
    Bytes s = {0xFF, 0xE2, 0, 0};
    s.reserve(s.size() + tag.size() + 2 + (to - from));
    for (const char c : tag) s.push_back(std::uint8_t(c));
    s.push_back(std::uint8_t(sequence));
    s.push_back(2);
    s.insert(s.end(), profile.begin() + long(from), profile.begin() + long(to));
    const std::size_t length = s.size() - 2;
    s[2] = std::uint8_t(length >> 8);
    s[3] = std::uint8_t(length);
    return s;
  };
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  for (const Bytes& s : {segment(2, half, profile.size()), segment(1, 0, half)})
    out.insert(out.end(), s.begin(), s.end());
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

TPixelGraphic& Filled(TPixelGraphic& g, TRGB color) {
  g.SetSize(8, 8, pf24Bit);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) g.SetPixel(x, y, color);
  return g;
}

int Distance(TRGB a, TRGB b) {
  return std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) +
         std::abs(BlueOf(a) - BlueOf(b));
}

TEST(ColorProfile, WideGamutPNGShowsItsTrueColoursAndTheFileStaysAsItWas) {
  TempDir dir;
  TPixelGraphic g;
  const TRGB stored = RGBColor(40, 160, 60);
  SaveToFile(Filled(g, stored), dir.File("plain.png"));
  const Bytes profile = WideGamutProfile();
  Write(dir.File("wide.png"), PNGWithProfile(Read(dir.File("plain.png")), profile));
  const Bytes before = Read(dir.File("wide.png"));
  EXPECT_EQ(ReadColorProfile(dir.File("wide.png")), profile);
  EXPECT_TRUE(ReadColorProfile(dir.File("plain.png")).empty());

  TPixelGraphic picture;
  LoadFromFile(picture, dir.File("wide.png"));
  ASSERT_EQ(picture.Pixel(3, 3), stored);
  ASSERT_TRUE(ConvertToSRGB(picture, ReadColorProfile(dir.File("wide.png"))));
  const TRGB shown = picture.Pixel(3, 3);
  // A wide-gamut green is a far more saturated green than the same numbers in sRGB.
  EXPECT_GT(Distance(shown, stored), 40);
  EXPECT_GT(GreenOf(shown), GreenOf(stored));
  EXPECT_LT(RedOf(shown), RedOf(stored));
  EXPECT_EQ(picture.Pixel(7, 7), shown);
  EXPECT_EQ(Read(dir.File("wide.png")), before);
}

TEST(ColorProfile, SplitJPEGProfileAndAnSRGBProfileChangesNothing) {
  TempDir dir;
  TPixelGraphic g;
  SaveToFile(Filled(g, RGBColor(200, 100, 50)), dir.File("plain.jpg"));
  const Bytes srgb = SRGBProfile();
  Write(dir.File("srgb.jpg"), JPEGWithProfile(Read(dir.File("plain.jpg")), srgb));
  EXPECT_EQ(ReadColorProfile(dir.File("srgb.jpg")), srgb);  // joined in sequence order
  TPixelGraphic picture, plain;
  LoadFromFile(picture, dir.File("srgb.jpg"));
  LoadFromFile(plain, dir.File("plain.jpg"));
  ASSERT_TRUE(ConvertToSRGB(picture, srgb));
  EXPECT_LE(Distance(picture.Pixel(4, 4), plain.Pixel(4, 4)), 3);

  const Bytes wide = WideGamutProfile();
  Write(dir.File("wide.jpg"), JPEGWithProfile(Read(dir.File("plain.jpg")), wide));
  EXPECT_EQ(ReadColorProfile(dir.File("wide.jpg")), wide);
}

TEST(ColorProfile, PalettePicturesConvertTheirPalette) {
  TPixelGraphic g;
  g.SetSize(4, 4, pf8Bit);
  g.SetPaletteCount(2);
  g.SetPaletteColor(0, RGBColor(40, 160, 60));
  g.SetPaletteColor(1, RGBColor(255, 255, 255));
  ASSERT_TRUE(ConvertToSRGB(g, WideGamutProfile()));
  EXPECT_GT(GreenOf(g.PaletteColor(0)), 160);
  EXPECT_GE(RedOf(g.PaletteColor(1)), 250);  // white stays white
  EXPECT_EQ(g.Pixel(1, 1), 0u);              // the pixels keep their indexes
}

TEST(ColorProfile, DamagedProfilesAndFilesLeaveThePictureAlone) {
  TempDir dir;
  TPixelGraphic g;
  Filled(g, RGBColor(1, 2, 3));
  EXPECT_FALSE(ConvertToSRGB(g, {}));
  EXPECT_FALSE(ConvertToSRGB(g, Bytes(200, 0x55)));
  Bytes cut = WideGamutProfile();
  cut.resize(cut.size() / 3);
  EXPECT_FALSE(ConvertToSRGB(g, cut));
  EXPECT_EQ(g.Pixel(0, 0), RGBColor(1, 2, 3));
  // A chunk claiming more than there is, a JPEG cut in a segment, a missing file.
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0x7F, 0xFF, 0xFF, 0xFF, 'i', 'C', 'C', 'P', 1};
  Write(dir.File("bad.png"), png);
  EXPECT_TRUE(ReadColorProfile(dir.File("bad.png")).empty());
  Write(dir.File("bad.jpg"), Bytes{0xFF, 0xD8, 0xFF, 0xE2, 0xFF, 0xFF, 'I', 'C', 'C'});
  EXPECT_TRUE(ReadColorProfile(dir.File("bad.jpg")).empty());
  EXPECT_TRUE(ReadColorProfile(dir.File("missing.png")).empty());
}

}  // namespace
