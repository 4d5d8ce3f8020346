// The options of a contact sheet (the "ThumbVex Options" window edits them) and their ranges.
#pragma once

#include <stdexcept>
#include <string>

#include "imaging/PGTypes.h"

struct TSheetFont {
  std::string Name = "Arial";
  int Points = 8;
  TRGB Color = 0;
};

struct TSheetOptions {
  int Size = 96;     // 30..900
  int Cols = 6;      // 2..20
  int HSpace = 20;   // 5..100
  int VSpace = 30;   // 20..100
  TRGB BackgroundColor = RGBColor(255, 255, 255);
  TRGB TextColor = RGBColor(0, 0, 0);
  bool IncludeFileNames = true;
  bool AutoSharpen = true;
  int SharpeningFactor = 50;  // 50..100
  bool UseBackgroundImage = false;
  std::string BackgroundImage;
  bool AddBorder = true;
  TRGB BorderColor = RGBColor(255, 0, 0);
  bool DropShadow = true;
  bool Bevel = false;
  bool IncludeTitle = false;
  TSheetFont TitleFont{"Arial", 24, RGBColor(255, 0, 0)};
  std::string Title = "ThumbVex created by Lumivex";
  bool IncludeFooter = false;
  TSheetFont FooterFont{"Arial", 8, RGBColor(128, 0, 0)};
  std::string Footer = "https://corvane.example/lumivex/";
};

struct TSheetRange {
  int Min;
  int Max;
  // "Invalid value. Enter a value between MIN and MAX"
  std::string Message() const;
  bool Contains(int value) const { return value >= Min && value <= Max; }
};

inline constexpr TSheetRange kSheetSizeRange{30, 900};
inline constexpr TSheetRange kSheetColsRange{2, 20};
inline constexpr TSheetRange kSheetHSpaceRange{5, 100};
inline constexpr TSheetRange kSheetVSpaceRange{20, 100};
inline constexpr TSheetRange kSheetSharpenRange{50, 100};
inline constexpr TSheetRange kSheetFontSizeRange{6, 72};

// A sheet that cannot be made; the message is meant for the user as it stands.
class ESheetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raises ESheetError with the range message of the first value outside its range.
void CheckSheetOptions(const TSheetOptions& options);
