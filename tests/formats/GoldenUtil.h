// Golden-file checks: a sample made by another tool against that tool's own decode, stored
// as a binary PPM next to it.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tests/formats/FormatTestUtil.h"

// Loads `sample` (image `index`) and expects every pixel within `tolerance` per channel of
// the PPM `expected`.
inline void ExpectMatchesReference(const std::string& sample, const std::string& expected,
                                   int index = 0, int tolerance = 0) {
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.GammaCorrectionOnRead = false; });
  TPixelGraphic image, reference;
  LoadFromFileIndex(image, DataPath(sample), index);
  LoadFromFile(reference, DataPath(expected));
  ASSERT_EQ(image.Width(), reference.Width()) << sample;
  ASSERT_EQ(image.Height(), reference.Height()) << sample;
  int mismatches = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const TRGB a = image.PixelColor(x, y), b = reference.PixelColor(x, y);
      const int d = std::max({std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                              std::abs(BlueOf(a) - BlueOf(b))});
      if (d > tolerance && ++mismatches <= 5)
        ADD_FAILURE() << sample << " pixel " << x << "," << y << ": " << std::hex << a
                      << " expected " << b;
    }
}

// Records the warning boxes shown and answers them with `answer`.
struct TWarningRecorder {
  std::string Caption;
  std::string Text;
  int Count = 0;
  explicit TWarningRecorder(bool answer) {
    SetPGWarningBoxHook([this, answer](const std::string& caption, const std::string& text, bool) {
      Caption = caption;
      Text = text;
      ++Count;
      return answer;
    });
  }
  ~TWarningRecorder() { SetPGWarningBoxHook(nullptr); }
};

// Aborts a read after `rows` progress steps and counts the progress events.
struct TAbortAfter {
  int Starts = 0, Steps = 0, Ends = 0;
  TAbortAfter(TPixelGraphic& image, int rows) {
    image.OnPixelGraphicProgressStart = [this](TPixelGraphic&) { ++Starts; };
    image.OnPixelGraphicProgressEnd = [this](TPixelGraphic&) { ++Ends; };
    image.OnPixelGraphicProgress = [this, rows](TPixelGraphic&, int, int, bool& abort) {
      abort = ++Steps >= rows;
    };
  }
};
