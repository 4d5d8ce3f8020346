// The colour resolution dialog's choices, the interplay of its controls, and the picture
// they make.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "imaging/PGraphic.h"

enum class TColorDepth { Bits1, Bits4, Bits8, Bits24 };

// Every palette choice of the dialog; the Optimized entries compute a palette from the picture.
enum class TColorRezPalette {
  BlackWhite, Optimized1,                                          // 1 bit
  Gray4, SysGray4, Gray16, System16, Optimized4,                   // 4 bits
  Gray236, Gray256, Special125, Special216, Special252, Optimized8  // 8 bits
};

// The depth whose group a palette choice belongs to.
TColorDepth DepthOfPalette(TColorRezPalette palette);

struct TColorRezChoice {
  TColorDepth Depth = TColorDepth::Bits24;
  TColorRezPalette Palette1 = TColorRezPalette::BlackWhite;
  TColorRezPalette Palette4 = TColorRezPalette::System16;
  TColorRezPalette Palette8 = TColorRezPalette::Optimized8;
  int Count4 = 16;
  int Count8 = 252;
  bool IncludeSystemColors = true;
  bool Dither = true;
  bool RGBWeighting = true;
};

// The dialog's state: the choice plus the two count texts as typed.
class TColorRezValues {
 public:
  const TColorRezChoice& Choice() const { return FChoice; }
  const std::string& Count4Text() const { return FCount4Text; }
  const std::string& Count8Text() const { return FCount8Text; }

  void SetDepth(TColorDepth depth) { FChoice.Depth = depth; }
  // Choosing a palette also chooses its group's depth.
  void ChoosePalette(TColorRezPalette palette);
  // Ticking or unticking chooses 8-bit "Optimized" and the 8-bit depth.
  void SetIncludeSystemColors(bool on);
  // An edited count: its group gets "Optimized" and its depth is chosen.
  void SetCount4Text(const std::string& text);
  void SetCount8Text(const std::string& text);
  void SetDither(bool on) { FChoice.Dither = on; }
  void SetRGBWeighting(bool on) { FChoice.RGBWeighting = on; }

  // OK is enabled exactly when both counts are whole numbers in their ranges.
  bool OkEnabled() const;

 private:
  TColorRezChoice FChoice;
  std::string FCount4Text = "16";
  std::string FCount8Text = "252";
};

// A whole number (blanks around it ignored) from lo to hi; false otherwise.
bool ParseCount(const std::string& text, int lo, int hi, int& value);

// The source mapped into the chosen depth and palette (CopyFrom with the chosen dithering and
// weighting). Raises what the image model raises; the caller discards the result then.
// `progress` (step, total) follows the palette search and the copy; returning true stops them
// and gives nullptr.
std::unique_ptr<TPixelGraphic> ColorResolutionPicture(
    const TPixelGraphic& source, const TColorRezChoice& choice,
    const std::function<bool(int step, int total)>& progress = {});
