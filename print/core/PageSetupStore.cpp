#include "print/core/PageSetupStore.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const kUnitButtons[] = {"rbInches", "rbCentimeters"};
const char* const kOrientationButtons[] = {"rbPortrait", "rbLandscape"};
const char* const kHeaderAlignButtons[] = {"rbHeaderLeft", "rbHeaderRight", "rbHeaderCenter"};
const char* const kFooterAlignButtons[] = {"rbFooterLeft", "rbFooterRight", "rbFooterCenter"};
const char* const kPageNumAlignButtons[] = {"rbPageNumLeft", "rbPageNumRight", "rbPageNumCenter"};
const char* const kPageNumPosButtons[] = {"rbPageNumBottom", "rbPageNumTop", "rbPageNumNone"};

template <std::size_t N>
void PutRadio(TStoredValues& out, const char* const (&names)[N], int chosen) {
  for (std::size_t i = 0; i < N; ++i)
    out.emplace_back(names[i], static_cast<int>(i) == chosen ? "1" : "0");
}

// The single button stored as "1" in a group whose values are all "1" or "0".
template <std::size_t N>
std::optional<int> GetRadio(const TStoredLookup& lookup, const char* const (&names)[N]) {
  std::optional<int> chosen;
  for (std::size_t i = 0; i < N; ++i) {
    const std::optional<std::string> v = lookup(names[i]);
    if (!v) continue;
    if (*v == "1") {
      if (chosen) return std::nullopt;
      chosen = static_cast<int>(i);
    } else if (*v != "0") {
      return std::nullopt;
    }
  }
  return chosen;
}

std::string FlagText(bool on) { return on ? "1" : "0"; }

void PutFont(TStoredValues& out, const std::string& dialog, const TFontSpec& f) {
  char size[32];
  std::snprintf(size, sizeof size, "%g", f.Size);
  out.emplace_back(dialog + "_Name", f.Name);
  out.emplace_back(dialog + "_Size", size);
  out.emplace_back(dialog + "_Color", std::to_string(f.Color));
  out.emplace_back(dialog + "_Bold", FlagText(f.Bold));
  out.emplace_back(dialog + "_Italic", FlagText(f.Italic));
  out.emplace_back(dialog + "_Underline", FlagText(f.Underline));
  out.emplace_back(dialog + "_StrikeOut", FlagText(f.StrikeOut));
}

void GetFlag(const TStoredLookup& lookup, const std::string& name, bool& flag) {
  const std::optional<std::string> v = lookup(name);
  if (v && (*v == "1" || *v == "0")) flag = *v == "1";
}

void GetFont(const TStoredLookup& lookup, const std::string& dialog, TFontSpec& f) {
  if (const auto name = lookup(dialog + "_Name"); name && !name->empty() && name->size() < 256)
    f.Name = *name;
  if (const auto size = lookup(dialog + "_Size")) {
    const std::optional<double> points = ParseMarginText(*size);
    if (points && *points >= 1 && *points <= 1000) f.Size = *points;
  }
  if (const auto color = lookup(dialog + "_Color")) {
    char* end = nullptr;
    const long long c = std::strtoll(color->c_str(), &end, 10);
    if (!color->empty() && *end == '\0' && c >= 0 && c <= 0xFFFFFF) f.Color = static_cast<TRGB>(c);
  }
  GetFlag(lookup, dialog + "_Bold", f.Bold);
  GetFlag(lookup, dialog + "_Italic", f.Italic);
  GetFlag(lookup, dialog + "_Underline", f.Underline);
  GetFlag(lookup, dialog + "_StrikeOut", f.StrikeOut);
}

}  // namespace

TStoredValues PageSetupStoredValues(const TPageSetupValues& v, char dp, char gs) {
  TStoredValues out;
  PutRadio(out, kUnitButtons, static_cast<int>(v.Units));
  out.emplace_back("edLeft", FormatMarginText(v.MarginLeft, dp, gs));
  out.emplace_back("edRight", FormatMarginText(v.MarginRight, dp, gs));
  out.emplace_back("edTop", FormatMarginText(v.MarginTop, dp, gs));
  out.emplace_back("edBottom", FormatMarginText(v.MarginBottom, dp, gs));
  PutRadio(out, kOrientationButtons, static_cast<int>(v.Orientation));
  out.emplace_back("edHeader", v.Header);
  out.emplace_back("edHeaderMargin", FormatMarginText(v.HeaderMargin, dp, gs));
  PutRadio(out, kHeaderAlignButtons, static_cast<int>(v.HeaderAlign));
  PutFont(out, "HeaderFontDialog", v.HeaderFont);
  out.emplace_back("edFooter", v.Footer);
  out.emplace_back("edFooterMargin", FormatMarginText(v.FooterMargin, dp, gs));
  PutRadio(out, kFooterAlignButtons, static_cast<int>(v.FooterAlign));
  PutFont(out, "FooterFontDialog", v.FooterFont);
  out.emplace_back("edPageNumText", v.PageNumText);
  PutRadio(out, kPageNumPosButtons, static_cast<int>(v.PrintPageNumber));
  PutRadio(out, kPageNumAlignButtons, static_cast<int>(v.PageNumAlign));
  PutFont(out, "PageNumFontDialog", v.PageNumFont);
  return out;
}

void LoadStoredPageSetup(TPageSetupValues& values, const TStoredLookup& lookup,
                         const TPaperInches& paper, char dp, char gs) {
  TPageSetupValues v = values;
  if (auto r = GetRadio(lookup, kUnitButtons)) v.Units = static_cast<TUnits>(*r);
  if (auto r = GetRadio(lookup, kOrientationButtons)) v.Orientation = static_cast<TOrientation>(*r);
  if (auto r = GetRadio(lookup, kHeaderAlignButtons)) v.HeaderAlign = static_cast<TAlignment>(*r);
  if (auto r = GetRadio(lookup, kFooterAlignButtons)) v.FooterAlign = static_cast<TAlignment>(*r);
  if (auto r = GetRadio(lookup, kPageNumAlignButtons)) v.PageNumAlign = static_cast<TAlignment>(*r);
  if (auto r = GetRadio(lookup, kPageNumPosButtons))
    v.PrintPageNumber = static_cast<TPageNumberPosition>(*r);
  if (auto t = lookup("edHeader")) v.Header = *t;
  if (auto t = lookup("edFooter")) v.Footer = *t;
  if (auto t = lookup("edPageNumText")) v.PageNumText = *t;
  GetFont(lookup, "HeaderFontDialog", v.HeaderFont);
  GetFont(lookup, "FooterFontDialog", v.FooterFont);
  GetFont(lookup, "PageNumFontDialog", v.PageNumFont);

  // Margins: each stored number that parses (in the stored or the plain notation) replaces
  // its field; if the result does not fit the paper, the margins and units stay as they were.
  const std::pair<const char*, double*> margins[] = {{"edLeft", &v.MarginLeft},
                                                     {"edRight", &v.MarginRight},
                                                     {"edTop", &v.MarginTop},
                                                     {"edBottom", &v.MarginBottom},
                                                     {"edHeaderMargin", &v.HeaderMargin},
                                                     {"edFooterMargin", &v.FooterMargin}};
  for (const auto& [name, field] : margins) {
    const std::optional<std::string> text = lookup(name);
    if (!text) continue;
    std::optional<double> number = ParseMarginText(*text, dp, gs);
    if (!number) number = ParseMarginText(*text);
    if (number) *field = *number;
  }
  if (CheckPageSetup(v, paper)) {
    v.Units = values.Units;
    v.MarginLeft = values.MarginLeft;
    v.MarginRight = values.MarginRight;
    v.MarginTop = values.MarginTop;
    v.MarginBottom = values.MarginBottom;
    v.HeaderMargin = values.HeaderMargin;
    v.FooterMargin = values.FooterMargin;
    if (CheckPageSetup(v, paper)) v.Orientation = values.Orientation;
  }
  values = v;
}
