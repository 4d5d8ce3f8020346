// Pictures and folders for the thumbnail tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "imaging/PGraphic.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace thumbs_test {

inline void InitLibrary() {
  static const bool done = [] {
    InitFormatLibrary();
    return true;
  }();
  (void)done;
}

// A 24-bit picture of one colour.
inline std::unique_ptr<TPixelGraphic> Solid(int width, int height, TRGB color) {
  auto p = std::make_unique<TPixelGraphic>();
  p->SetSize(width, height, pf24Bit);
  p->SetBackGroundColor(color);
  p->Clear();
  return p;
}

// Writes a solid picture in the format of the extension.
inline std::string WriteSolid(const std::filesystem::path& file, int width, int height,
                              TRGB color) {
  InitLibrary();
  auto p = Solid(width, height, color);
  SaveToFile(*p, file.string());
  return file.string();
}

// A fresh folder under the test's temporary folder.
class TTempFolder {
 public:
  TTempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    FPath = std::filesystem::temp_directory_path() /
            ("lumivex-thumbs-" + std::to_string(::getpid()) + "-" + info->test_suite_name() +
             "-" + info->name());
    std::filesystem::remove_all(FPath);
    std::filesystem::create_directories(FPath);
  }
  ~TTempFolder() { std::filesystem::remove_all(FPath); }
  const std::filesystem::path& Path() const { return FPath; }
  std::string operator/(const std::string& name) const { return (FPath / name).string(); }

 private:
  std::filesystem::path FPath;
};

}  // namespace thumbs_test
