#include "print/core/TextOptions.h"

double PointsFromDesignPixels(int pixels) { return pixels * 72.0 / 96.0; }

TFontSpec MakeFont(const std::string& name, double points, bool bold, bool italic) {
  TFontSpec f;
  f.Name = name;
  f.Size = points;
  f.Bold = bold;
  f.Italic = italic;
  return f;
}

std::string FormatPageNumber(const std::string& text, long long number) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 'd') {
      out += std::to_string(number);
      ++i;
    } else if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') {
      out += '%';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}
