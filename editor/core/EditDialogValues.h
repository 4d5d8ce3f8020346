// The arithmetic of the rotate, border and resize dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The angle and border width edits take only the keys 0 to 9.
bool IsDigitKey(char c);
// The resize edits also take backspace, tab and enter.
bool IsSizeEditKey(char c);

// A text of decimal digits as a number, nullopt when empty, not all digits, or above `max`.
std::optional<std::int64_t> ParseDigits(const std::string& text, std::int64_t max);

// The clockwise rotation of the rotate dialog: a for Clockwise, 360 - a for Counter Clockwise;
// any number of whole turns is taken off first. nullopt for an empty or non-numeric text.
std::optional<int> ClockwiseAngle(const std::string& angleText, bool clockwise);

// The border width in pixels; nullopt for an empty or non-numeric text or a width above
// kMaxBorderWidth (wider than any picture the editor can hold).
inline constexpr std::int64_t kMaxBorderWidth = 1'000'000;
std::optional<int> BorderWidth(const std::string& widthText);

// The other side kept in proportion: round(newSide x oldOther / oldSide), the product in
// 64 bits, the division in floating point, halves to even. nullopt when oldSide is 0 or the
// result does not fit a side.
std::optional<std::int64_t> ProportionalSide(std::int64_t newSide, std::int64_t oldSide,
                                             std::int64_t oldOther);

// Sides above this are refused by the resize dialog; a 24-bit picture must also fit the
// image model's storage limit.
inline constexpr std::int64_t kMaxPictureSide = 1'000'000;
// Whether width x height is a picture the editor can make: both above 0 and the 24-bit
// storage within the image model's limit.
bool ValidPictureSize(std::int64_t width, std::int64_t height);

// The resize dialog's values.
class TResizeValues {
 public:
  void Reset(int oldWidth, int oldHeight);
  int OldWidth() const { return FOldW; }
  int OldHeight() const { return FOldH; }
  const std::string& WidthText() const { return FWidthText; }
  const std::string& HeightText() const { return FHeightText; }
  bool Constrain = true;

  void SetWidthText(const std::string& text) { FWidthText = text; }
  void SetHeightText(const std::string& text) { FHeightText = text; }
  // The width edit lost the focus (or OK was pressed while it had it): with Constrain the
  // height follows. Nothing when the width is not a number.
  void WidthLeft();
  void HeightLeft();

  // The new size when it is a valid picture size.
  std::optional<std::int64_t> NewWidth() const;
  std::optional<std::int64_t> NewHeight() const;
  bool OkEnabled() const;

 private:
  int FOldW = 0, FOldH = 0;
  std::string FWidthText, FHeightText;
};
