// Where the controls of a filter dialog go, in unscaled pixels of the client area. The window
// scales the result for the screen.
#pragma once

#include <array>

#include "dialogs/core/FilterDialogValues.h"

struct TLayoutRect {
  int X = 0, Y = 0, W = 0, H = 0;
  int Right() const { return X + W; }
  int Bottom() const { return Y + H; }
};

struct TSliderLayout {
  bool Shown = false;
  TLayoutRect Track, Caption, Value;
  std::array<TLayoutRect, 3> Labels;  // left, centre, right
};

struct TFilterDialogLayout {
  int ClientWidth = 0, ClientHeight = 0;
  int Margin = 0;
  std::array<TSliderLayout, 3> Sliders;
  bool HasPreview = false;
  TLayoutRect Preview;
  bool HasCheck = false;
  TLayoutRect Check;
  bool HasRadio = false;
  TLayoutRect Radio1, Radio2;
  bool HasGroupCaption = false;
  TLayoutRect GroupCaption;
  int SeparatorY = 0;
  TLayoutRect Ok, Cancel;
};

inline constexpr int kSliderWidth = 240, kSliderHeight = 32;
inline constexpr int kPreviewSide = 140;
inline constexpr int kLabelHeight = 13;   // one line of the dialog font
inline constexpr int kButtonLineHeight = 17;  // check box and radio buttons

// Lays out a dialog with these sliders (their caption and value widths as the window wants
// them), check box, radio pair and preview.
TFilterDialogLayout LayoutFilterDialog(const std::array<TSliderDesc, 3>& sliders,
                                       const TCheckDesc& check, const TRadioDesc& radio,
                                       bool preview);
