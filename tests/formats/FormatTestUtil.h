// Helpers shared by the format tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

using TBytes = std::vector<std::uint8_t>;

// Sample files live in one folder per format (data/png, data/tiff...), each reference decode
// beside its sample; a name that is in none of them gives a path that does not exist.
inline std::string DataPath(const std::string& name) {
  const std::filesystem::path root(LUMIVEX_FORMATS_TEST_DATA);
  if (!name.empty())
    for (const auto& folder : std::filesystem::directory_iterator(root))
      if (folder.is_directory() && std::filesystem::exists(folder.path() / name))
        return (folder.path() / name).string();
  return root.string() + "/" + name;
}

inline TBytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Loads bytes as if they came from a file with the given extension.
inline void LoadBytes(TPixelGraphic& image, const TBytes& bytes, const std::string& ext = {}) {
  TPGMemoryStream stream(bytes);
  LoadFromStreamExt(image, stream, ext, 0);
}

inline TBytes SaveBytes(TPixelGraphic& image, const std::string& ext) {
  TPGMemoryStream stream;
  SaveToStreamAs(image, stream, ext);
  return stream.Data();
}

// The 5 x 3 picture the golden files were written from, top row first.
inline const TRGB kPattern[3][5] = {
    {RGBColor(255, 0, 0), RGBColor(0, 255, 0), RGBColor(0, 0, 255), RGBColor(255, 255, 255),
     RGBColor(0, 0, 0)},
    {RGBColor(10, 20, 30), RGBColor(40, 50, 60), RGBColor(70, 80, 90), RGBColor(100, 110, 120),
     RGBColor(130, 140, 150)},
    {RGBColor(255, 255, 0), RGBColor(0, 255, 255), RGBColor(255, 0, 255),
     RGBColor(128, 128, 128), RGBColor(1, 2, 3)}};

inline void ExpectPattern(const TPixelGraphic& image) {
  ASSERT_EQ(image.Width(), 5);
  ASSERT_EQ(image.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(image.PixelColor(x, y), kPattern[y][x]) << "pixel " << x << "," << y;
}

inline void FillPattern(TPixelGraphic& image) {
  image.SetSize(5, 3, pf24Bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) image.SetPixel(x, y, kPattern[y][x]);
}

// Restores the format settings after each test.
class FormatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FileFormatReaders();
    ResetFormatSettings();
  }
  void TearDown() override {
    ResetFormatSettings();
    SetPGWarningBoxHook(nullptr);
  }
};

// Expects `statement` to raise E whose message equals `message`.
#define EXPECT_PG_ERROR(statement, E, message)                  \
  do {                                                          \
    try {                                                       \
      statement;                                                \
      ADD_FAILURE() << "no exception from " #statement;         \
    } catch (const E& e) {                                      \
      EXPECT_EQ(std::string(e.what()), std::string(message));   \
    }                                                           \
  } while (0)

// Little-endian builders for hand-made files.
inline void Put16(TBytes& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(TBytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
