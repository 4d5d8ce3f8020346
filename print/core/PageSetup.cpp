#include "print/core/PageSetup.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

TPageSetupValues PageSetupFrom(const TPageSettings& s) {
  TPageSetupValues v;
  const TTextOptions& t = s.Text;
  v.Units = s.Units;
  v.Orientation = s.Orientation;
  v.MarginLeft = t.MarginLeft;
  v.MarginRight = t.MarginRight;
  v.MarginTop = t.MarginTop;
  v.MarginBottom = t.MarginBottom;
  v.Header = t.Header;
  v.HeaderMargin = t.HeaderMargin;
  v.HeaderAlign = t.HeaderAlign;
  v.HeaderFont = t.HeaderFont;
  v.Footer = t.Footer;
  v.FooterMargin = t.FooterMargin;
  v.FooterAlign = t.FooterAlign;
  v.FooterFont = t.FooterFont;
  v.PageNumText = t.PageNumText;
  v.PrintPageNumber = t.PrintPageNumber;
  v.PageNumAlign = t.PageNumAlign;
  v.PageNumFont = t.PageNumFont;
  return v;
}

void ApplyPageSetup(const TPageSetupValues& v, TPageSettings& s) {
  TTextOptions& t = s.Text;
  s.Units = v.Units;
  t.MarginLeft = v.MarginLeft;
  t.MarginRight = v.MarginRight;
  t.MarginTop = v.MarginTop;
  t.MarginBottom = v.MarginBottom;
  s.Orientation = v.Orientation;
  t.Header = v.Header;
  t.HeaderMargin = v.HeaderMargin;
  t.HeaderAlign = v.HeaderAlign;
  t.HeaderFont = v.HeaderFont;
  t.Footer = v.Footer;
  t.FooterMargin = v.FooterMargin;
  t.FooterAlign = v.FooterAlign;
  t.FooterFont = v.FooterFont;
  t.PageNumText = v.PageNumText;
  t.PrintPageNumber = v.PrintPageNumber;
  t.PageNumAlign = v.PageNumAlign;
  t.PageNumFont = v.PageNumFont;
}

TPaperInches PaperOf(const TPageMetrics& m, TOrientation recordedOrientation) {
  if (!UsablePageMetrics(m)) return {};
  TPaperInches p{static_cast<double>(m.PageWidth) / m.ResX,
                 static_cast<double>(m.PageHeight) / m.ResY};
  if (recordedOrientation == TOrientation::poLandscape) std::swap(p.Width, p.Height);
  return p;
}

namespace {

std::optional<TPageSetupError> CheckOne(const char* field, double value, double limit) {
  if (!std::isfinite(value) || value < 0)
    return TPageSetupError{field, std::string("The ") + field + " value must be 0 or more."};
  if (value >= limit)
    return TPageSetupError{
        field, std::string("The ") + field + " value lies beyond the edge of the paper."};
  return std::nullopt;
}

}  // namespace

std::optional<TPageSetupError> CheckPageSetup(const TPageSetupValues& v,
                                              const TPaperInches& paper) {
  const double f = UnitFactor(v.Units);
  double w = paper.Width * f, h = paper.Height * f;
  if (v.Orientation == TOrientation::poLandscape) std::swap(w, h);
  const std::pair<const char*, std::pair<double, double>> fields[] = {
      {"Left", {v.MarginLeft, w}},
      {"Right", {v.MarginRight, w}},
      {"Top", {v.MarginTop, h}},
      {"Bottom", {v.MarginBottom, h}},
      {"Header Margin", {v.HeaderMargin, h}},
      {"Footer Margin", {v.FooterMargin, h}}};
  for (const auto& [name, value] : fields)
    if (auto e = CheckOne(name, value.first, value.second)) return e;
  if (v.MarginLeft + v.MarginRight >= w)
    return TPageSetupError{"Left", "The Left and Right margins leave no room on the paper."};
  if (v.MarginTop + v.MarginBottom >= h)
    return TPageSetupError{"Top", "The Top and Bottom margins leave no room on the paper."};
  return std::nullopt;
}

std::string FormatMarginText(double value, char decimalPoint, char groupSeparator) {
  if (!std::isfinite(value)) value = 0;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", std::fabs(value));
  const std::string plain = buffer;
  const std::size_t dot = plain.find('.');
  const std::string whole = plain.substr(0, dot);
  std::string out = value < 0 && std::round(value * 1000) != 0 ? "-" : "";
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) out += groupSeparator;
    out += whole[i];
  }
  return out + decimalPoint + plain.substr(dot + 1);
}

std::optional<double> ParseMarginText(const std::string& text, char decimalPoint,
                                      char groupSeparator) {
  std::string plain;
  bool digits = false;
  for (char c : text) {
    if (c == ' ' || c == '\t' || (c == groupSeparator && groupSeparator != decimalPoint)) continue;
    if (c == decimalPoint) {
      plain += '.';
    } else if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e' || c == 'E') {
      digits = digits || (c >= '0' && c <= '9');
      plain += c;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(plain.c_str(), &end);
  if (end != plain.c_str() + plain.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<TPageSetupError> ReadMarginTexts(const TMarginTexts& t, TPageSetupValues& values,
                                               const TPaperInches& paper, char decimalPoint,
                                               char groupSeparator) {
  TPageSetupValues next = values;
  const std::pair<const char*, std::pair<const std::string*, double*>> fields[] = {
      {"Left", {&t.Left, &next.MarginLeft}},
      {"Right", {&t.Right, &next.MarginRight}},
      {"Top", {&t.Top, &next.MarginTop}},
      {"Bottom", {&t.Bottom, &next.MarginBottom}},
      {"Header Margin", {&t.HeaderMargin, &next.HeaderMargin}},
      {"Footer Margin", {&t.FooterMargin, &next.FooterMargin}}};
  for (const auto& [name, field] : fields) {
    const std::optional<double> v = ParseMarginText(*field.first, decimalPoint, groupSeparator);
    if (!v)
      return TPageSetupError{name,
                             "'" + *field.first + "' is not a valid number for " + name + "."};
    *field.second = *v;
  }
  if (auto e = CheckPageSetup(next, paper)) return e;
  values = next;
  return std::nullopt;
}
