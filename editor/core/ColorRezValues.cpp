#include "editor/core/ColorRezValues.h"

#include <cctype>
#include <charconv>

TColorDepth DepthOfPalette(TColorRezPalette palette) {
  switch (palette) {
    case TColorRezPalette::BlackWhite:
    case TColorRezPalette::Optimized1: return TColorDepth::Bits1;
    case TColorRezPalette::Gray4:
    case TColorRezPalette::SysGray4:
    case TColorRezPalette::Gray16:
    case TColorRezPalette::System16:
    case TColorRezPalette::Optimized4: return TColorDepth::Bits4;
    default: return TColorDepth::Bits8;
  }
}

void TColorRezValues::ChoosePalette(TColorRezPalette palette) {
  const TColorDepth depth = DepthOfPalette(palette);
  if (depth == TColorDepth::Bits1) FChoice.Palette1 = palette;
  if (depth == TColorDepth::Bits4) FChoice.Palette4 = palette;
  if (depth == TColorDepth::Bits8) FChoice.Palette8 = palette;
  FChoice.Depth = depth;
}

void TColorRezValues::SetIncludeSystemColors(bool on) {
  FChoice.IncludeSystemColors = on;
  ChoosePalette(TColorRezPalette::Optimized8);
}

void TColorRezValues::SetCount4Text(const std::string& text) {
  FCount4Text = text;
  int n = 0;
  if (ParseCount(text, 2, 16, n)) FChoice.Count4 = n;
  ChoosePalette(TColorRezPalette::Optimized4);
}

void TColorRezValues::SetCount8Text(const std::string& text) {
  FCount8Text = text;
  int n = 0;
  if (ParseCount(text, 2, 256, n)) FChoice.Count8 = n;
  ChoosePalette(TColorRezPalette::Optimized8);
}

bool TColorRezValues::OkEnabled() const {
  int n = 0;
  return ParseCount(FCount4Text, 2, 16, n) && ParseCount(FCount8Text, 2, 256, n);
}

bool ParseCount(const std::string& text, int lo, int hi, int& value) {
  std::size_t first = 0, last = text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
  if (first == last) return false;
  int n = 0;
  const auto [end, error] = std::from_chars(text.data() + first, text.data() + last, n);
  if (error != std::errc{} || end != text.data() + last || n < lo || n > hi) return false;
  value = n;
  return true;
}

namespace {

TPixelFormat FormatOf(TColorDepth depth) {
  switch (depth) {
    case TColorDepth::Bits1: return pf1Bit;
    case TColorDepth::Bits4: return pf4Bit;
    case TColorDepth::Bits8: return pf8Bit;
    default: return pf24Bit;
  }
}

TPaletteIdent FixedIdent(TColorRezPalette palette) {
  switch (palette) {
    case TColorRezPalette::BlackWhite: return pBlackWhite;
    case TColorRezPalette::Gray4: return pGray4;
    case TColorRezPalette::SysGray4: return pSysGray4;
    case TColorRezPalette::Gray16: return pGray16;
    case TColorRezPalette::System16: return pSys16;
    case TColorRezPalette::Gray236: return pGray236;
    case TColorRezPalette::Gray256: return pGray256;
    case TColorRezPalette::Special125: return pSpecial125;
    case TColorRezPalette::Special216: return pSpecial216;
    case TColorRezPalette::Special252: return pSpecial252;
    default: return pNone;  // an optimised palette
  }
}

void ChoosePaletteOf(TPixelGraphic& result, const TPixelGraphic& source,
                     const TColorRezChoice& choice) {
  TColorRezPalette palette = choice.Palette8;
  int colors = choice.Count8;
  bool system = choice.IncludeSystemColors;
  if (choice.Depth == TColorDepth::Bits1) {
    palette = choice.Palette1;
    colors = 2;
    system = false;
  } else if (choice.Depth == TColorDepth::Bits4) {
    palette = choice.Palette4;
    colors = choice.Count4;
    system = false;
  }
  const TPaletteIdent ident = FixedIdent(palette);
  if (ident != pNone)
    result.SetPaletteIdent(ident);
  else
    MakeOptimizedPalette(result, source, colors, system);
}

}  // namespace

std::unique_ptr<TPixelGraphic> ColorResolutionPicture(
    const TPixelGraphic& source, const TColorRezChoice& choice,
    const std::function<bool(int step, int total)>& progress) {
  auto result = std::make_unique<TPixelGraphic>();
  bool stopped = false;
  if (progress)
    result->OnPixelGraphicProgress = [&](TPixelGraphic&, int step, int total, bool& abort) {
      if (progress(step, total)) abort = stopped = true;
    };
  result->SetSize(source.Width(), source.Height(), FormatOf(choice.Depth));
  if (choice.Depth != TColorDepth::Bits24) ChoosePaletteOf(*result, source, choice);
  result->Dither = choice.Dither;
  result->SetRGBWeighting(choice.RGBWeighting);
  if (!stopped) result->CopyFrom(source);
  result->OnPixelGraphicProgress = nullptr;
  if (stopped) return nullptr;
  return result;
}
