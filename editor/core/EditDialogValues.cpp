#include "editor/core/EditDialogValues.h"

#include <cmath>

#include "imaging/PGraphic.h"

bool IsDigitKey(char c) { return c >= '0' && c <= '9'; }

bool IsSizeEditKey(char c) { return IsDigitKey(c) || c == '\b' || c == '\t' || c == '\r'; }

std::optional<std::int64_t> ParseDigits(const std::string& text, std::int64_t max) {
  if (text.empty()) return std::nullopt;
  std::int64_t n = 0;
  for (char c : text) {
    if (!IsDigitKey(c)) return std::nullopt;
    n = n * 10 + (c - '0');
    if (n > max) return std::nullopt;
  }
  return n;
}

std::optional<int> ClockwiseAngle(const std::string& angleText, bool clockwise) {
  if (angleText.empty()) return std::nullopt;
  // Digits are reduced modulo 360 as they come, so any length of text is safe.
  int a = 0;
  for (char c : angleText) {
    if (!IsDigitKey(c)) return std::nullopt;
    a = (a * 10 + (c - '0')) % 360;
  }
  return clockwise ? a : 360 - a;
}

std::optional<int> BorderWidth(const std::string& widthText) {
  const auto n = ParseDigits(widthText, kMaxBorderWidth);
  if (!n) return std::nullopt;
  return static_cast<int>(*n);
}

std::optional<std::int64_t> ProportionalSide(std::int64_t newSide, std::int64_t oldSide,
                                             std::int64_t oldOther) {
  if (oldSide <= 0 || newSide < 0 || oldOther < 0) return std::nullopt;
  if (newSide > kMaxPictureSide || oldOther > kMaxPictureSide) return std::nullopt;
  const std::int64_t product = newSide * oldOther;  // at most 10^12: exact in 64 bits
  const double side = std::nearbyint(static_cast<double>(product) / static_cast<double>(oldSide));
  if (side > static_cast<double>(kMaxPictureSide)) return std::nullopt;
  return static_cast<std::int64_t>(side);
}

bool ValidPictureSize(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
    return false;
  const std::int64_t rowBytes = (width * 3 + 3) / 4 * 4;
  return static_cast<std::uint64_t>(rowBytes) * static_cast<std::uint64_t>(height) <=
         PGMaxImageBytes;
}

void TResizeValues::Reset(int oldWidth, int oldHeight) {
  FOldW = oldWidth;
  FOldH = oldHeight;
  FWidthText = std::to_string(oldWidth);
  FHeightText = std::to_string(oldHeight);
}

void TResizeValues::WidthLeft() {
  if (!Constrain) return;
  const auto w = ParseDigits(FWidthText, kMaxPictureSide);
  if (!w) return;
  if (const auto h = ProportionalSide(*w, FOldW, FOldH)) FHeightText = std::to_string(*h);
}

void TResizeValues::HeightLeft() {
  if (!Constrain) return;
  const auto h = ParseDigits(FHeightText, kMaxPictureSide);
  if (!h) return;
  if (const auto w = ProportionalSide(*h, FOldH, FOldW)) FWidthText = std::to_string(*w);
}

std::optional<std::int64_t> TResizeValues::NewWidth() const {
  return ParseDigits(FWidthText, kMaxPictureSide);
}

std::optional<std::int64_t> TResizeValues::NewHeight() const {
  return ParseDigits(FHeightText, kMaxPictureSide);
}

bool TResizeValues::OkEnabled() const {
  const auto w = NewWidth(), h = NewHeight();
  return w && h && ValidPictureSize(*w, *h);
}
