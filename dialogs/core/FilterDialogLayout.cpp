#include "dialogs/core/FilterDialogLayout.h"

namespace {

constexpr int kSliderY[3] = {10, 60, 110};

TSliderLayout PlaceSlider(const TSliderDesc& s, int margin, int y) {
  TSliderLayout l;
  l.Shown = true;
  const int x = margin + s.CaptionWidth;
  l.Track = {x, y, kSliderWidth, kSliderHeight};
  l.Caption = {margin, y + 6, s.CaptionWidth, kLabelHeight};
  for (int i = 0; i < 3; ++i) l.Labels[static_cast<std::size_t>(i)] = {x + 80 * i, y + 32, 80, kLabelHeight};
  l.Value = {x + kSliderWidth, y + 6, s.ValueWidth, kLabelHeight};
  return l;
}

}  // namespace

TFilterDialogLayout LayoutFilterDialog(const std::array<TSliderDesc, 3>& sliders,
                                       const TCheckDesc& check, const TRadioDesc& radio,
                                       bool preview) {
  TFilterDialogLayout l;
  const TSliderDesc& first = sliders[0];
  const int m = first.Shown ? 10 : 40;
  l.Margin = m;
  const int captionW = first.Shown ? first.CaptionWidth : 0;
  if (first.Shown && preview)
    l.ClientWidth = m + captionW + kSliderWidth + first.ValueWidth + 10 + kPreviewSide + m;
  else if (first.Shown)
    l.ClientWidth = m + captionW + kSliderWidth + first.ValueWidth + m;
  else
    l.ClientWidth = 2 * m + kPreviewSide;

  for (int k = 0; k < 3; ++k)
    if (sliders[static_cast<std::size_t>(k)].Shown)
      l.Sliders[static_cast<std::size_t>(k)] =
          PlaceSlider(sliders[static_cast<std::size_t>(k)], m, kSliderY[k]);

  if (preview) {
    l.HasPreview = true;
    l.Preview = {l.ClientWidth - m - kPreviewSide, 12, kPreviewSide, kPreviewSide};
  }
  if (check.Shown) {
    l.HasCheck = true;
    l.Check = {m, 160, 140, kButtonLineHeight};
  }
  const int radioY = sliders[2].Shown ? 160 : 115;
  if (radio.Shown) {
    l.HasRadio = true;
    l.Radio1 = {m + captionW + 6, radioY, 100, kButtonLineHeight};
    l.Radio2 = {m + captionW + 112, radioY, 100, kButtonLineHeight};
    if (!radio.GroupCaption.empty()) {
      l.HasGroupCaption = true;
      l.GroupCaption = {m, radioY + 1, captionW > 0 ? captionW : 60, kLabelHeight};
    }
  }

  // Each later rule that applies overrides the earlier ones.
  int sep = 10;
  if (sliders[1].Shown) sep = l.Sliders[1].Labels[0].Bottom() + 10;
  if (preview) sep = 160;
  if (radio.Shown) sep = l.Radio1.Bottom() + 10;
  if (check.Shown) sep = l.Check.Bottom() + 10;
  l.SeparatorY = sep;

  l.Ok = {l.ClientWidth / 2 - 95, sep + 12, 85, 24};
  l.Cancel = {l.ClientWidth / 2 + 10, sep + 12, 85, 24};
  l.ClientHeight = l.Ok.Bottom() + 10;
  return l;
}
