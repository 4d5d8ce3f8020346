// Every sample of the data folders (one per format) against the reference decodes stored beside
// it by another decoder: "x.png.ppm" is image 0 of "x.png", "x.tif.2.ppm" image 2 of "x.tif".
// A new pair is tested by adding its two files. References that need a tolerance or another
// background ("x.bmp.near.ppm", "x.ico.white.ppm") are not pairs here: their format's test
// compares them.
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tests/formats/GoldenUtil.h"

namespace {

struct TGoldenPair {
  std::string Folder;
  std::string Sample;
  std::string Reference;
  int Index = 0;
};

std::vector<TGoldenPair> GoldenPairs() {
  static const std::regex kReference(R"((.+)\.(\d+)\.ppm|(.+)\.ppm)");
  std::vector<TGoldenPair> pairs;
  for (const auto& folder : std::filesystem::directory_iterator(LUMIVEX_FORMATS_TEST_DATA)) {
    if (!folder.is_directory()) continue;
    for (const auto& file : std::filesystem::directory_iterator(folder.path())) {
      const std::string name = file.path().filename().string();
      std::smatch m;
      if (!std::regex_match(name, m, kReference)) continue;
      TGoldenPair pair{folder.path().filename().string(), m[1].matched ? m[1].str() : m[3].str(),
                       name, m[2].matched ? std::stoi(m[2].str()) : 0};
      // A picture in PPM form is only a reference when its sample lies beside it.
      if (std::filesystem::exists(folder.path() / pair.Sample)) pairs.push_back(pair);
    }
  }
  return pairs;
}

class GoldenFiles : public FormatTest {};

TEST_F(GoldenFiles, EverySampleDecodesLikeItsReferences) {
  // Later images of multi-image files are only addressed when every image is counted.
  ChangeFormatSettings([](TPGFormatSettings& settings) { settings.TIFFReadAllImages = true; });
  const std::vector<TGoldenPair> pairs = GoldenPairs();
  std::set<std::string> folders;
  for (const TGoldenPair& pair : pairs) {
    SCOPED_TRACE(pair.Folder + "/" + pair.Reference);
    ExpectMatchesReference(pair.Sample, pair.Reference, pair.Index);
    folders.insert(pair.Folder);
  }
  EXPECT_GE(pairs.size(), 21u);
  EXPECT_EQ(folders, (std::set<std::string>{"bmp", "gif", "ico", "jpeg", "pcx", "png", "pnm", "tga",
                                            "tiff"}));
}

TEST_F(GoldenFiles, SamplesAreFoundInTheirFormatsFolder) {
  EXPECT_EQ(std::filesystem::path(DataPath("im_three.tif")).parent_path().filename(), "tiff");
  EXPECT_EQ(std::filesystem::path(DataPath("raw.ppm")).parent_path().filename(), "pnm");
  EXPECT_FALSE(std::filesystem::exists(DataPath("missing.bmp")));
}

}  // namespace
