#include "imaging/filters/FilterCatalog.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "imaging/filters/FilterRuns.h"

namespace {

using K = TFilterParamKind;

TFilterParam Int(const char* key, int min, int max, int def) {
  return {key, K::Integer, double(min), double(max), double(def), {}, {}};
}
TFilterParam Dec(const char* key, double min, double max, double def) {
  return {key, K::Decimal, min, max, def, {}, {}};
}
TFilterParam Bool(const char* key, bool def) { return {key, K::Boolean, 0, 1, def ? 1.0 : 0.0, {}, {}}; }
TFilterParam Shape(int def) {
  return {"distributionshape", K::Choice, 0, 2, double(def), {"gaussian", "tent", "rect"}, {}};
}

// Channel shifts and brightness in percent, hue in degrees.
TFilterParam Shift(const char* key) { return Int(key, -100, 100, 0); }
TFilterParam Hue() { return Int("h", -180, 180, 0); }
TFilterParam Deviation(double def) { return Dec("stddeviation", 0.40, 1.30, def); }
TFilterParam Strength(int def) { return Int("percent", 10, 100, def); }

std::vector<TFilterEntry> MakeEntries() {
  namespace r = filterruns;
  std::vector<TFilterEntry> e;
  e.push_back({"negative", "inverts every colour (in place)", {}, false, r::Negative});
  e.push_back({"grayscale", "shades of grey (in place)", {Bool("rgbweighting", true)}, false,
               r::GrayScale});
  e.push_back({"bcg", "brightness, contrast and gamma (in place)",
               {Shift("brightness"), Dec("contrast", 0.2, 5.0, 1.0), Dec("gamma", 0.2, 5.0, 1.0),
                Bool("usey", false)},
               false, r::BCG});
  e.push_back({"rgb", "shifts red, green, blue (in place)",
               {Shift("red"), Shift("green"), Shift("blue")}, false, r::RGB});
  e.push_back({"cmy", "shifts cyan, magenta, yellow (in place)",
               {Shift("cyan"), Shift("magenta"), Shift("yellow")}, false, r::CMY});
  e.push_back({"ycbcr", "shifts luminance and the two colour differences (in place)",
               {Shift("y"), Shift("cb"), Shift("cr")}, false, r::YCbCr});
  e.push_back({"hls", "turns the hue, shifts lightness and saturation (in place)",
               {Hue(), Shift("l"), Shift("s")}, false, r::HLS});
  e.push_back({"hsv", "turns the hue, shifts saturation and value (in place)",
               {Hue(), Shift("s"), Shift("v")}, false, r::HSV});
  e.push_back({"smooth", "blends a blur into the picture (new 24-bit picture)",
               {Deviation(1.30), Strength(100), Shape(0), Bool("usedistance", true)}, false,
               r::Smooth});
  e.push_back({"sharpen", "sharpens edges (new 24-bit picture)",
               {Deviation(0.75), Strength(50), Shape(0), Bool("usedistance", true)}, false,
               r::Sharpen});
  e.push_back({"detail", "brings out fine detail (new 24-bit picture)",
               {Deviation(0.75), Strength(75), Shape(0), Bool("usedistance", true)}, false,
               r::Detail});
  e.push_back({"contour", "contour lines on white or black (new 24-bit picture)",
               {Deviation(1.00), Int("percent", 100, 1000, 100), Bool("blackbk", false), Shape(2),
                Bool("usedistance", true)},
               false, r::Contour});
  e.push_back({"blur", "out-of-focus blur with a ring (new 24-bit picture)",
               {Dec("radius", 0.50, 5.00, 2.50), Strength(100)}, false, r::Blur});
  e.push_back({"emboss", "relief (24-bit)", {}, false, r::Emboss});
  e.push_back({"fisheye", "a lens at the centre (24-bit)", {Dec("amount", 0.10, 4.00, 1.00)},
               false, r::Fisheye});
  e.push_back({"swirl", "turns the picture around its centre (24-bit)",
               {Int("twist", 1, 1000, 100)}, false, r::Swirl});
  e.push_back({"spray", "scatters pixels like spray paint (24-bit)", {Int("amount", 0, 100, 10)},
               true, r::Spray});
  e.push_back({"mononoise", "black and white noise (24-bit)", {Int("amount", 0, 100, 40)}, true,
               r::MonoNoise});
  e.push_back({"colornoise", "colour noise (24-bit)", {Int("amount", 0, 100, 40)}, true,
               r::ColorNoise});
  e.push_back({"mosaic", "square blocks of one colour (24-bit)", {Int("size", 0, 100, 10)}, false,
               r::Mosaic});
  TFilterParam depth = Int("depth", 0, 10000, 0);
  depth.DefaultText = "3 % of the width";
  e.push_back({"bevel", "3D bevel on the edges (24-bit)", {depth}, false, r::Bevel});
  e.push_back({"pencil", "pencil drawing: contour lines in grey (24-bit)", {}, false, r::Pencil});
  e.push_back({"posterize", "8 colours chosen for the picture (4-bit)", {}, false, r::Posterize});
  return e;
}

std::string FormatNumber(const TFilterParam& p, double v) {
  char buf[64];
  if (p.Kind == K::Decimal)
    std::snprintf(buf, sizeof buf, "%.2f", v);
  else
    std::snprintf(buf, sizeof buf, "%d", static_cast<int>(v));
  return buf;
}

std::string RangeText(const TFilterParam& p) {
  switch (p.Kind) {
    case K::Boolean: return "true|false";
    case K::Choice: {
      std::string s;
      for (const std::string& c : p.Choices) s += (s.empty() ? "" : "|") + c;
      return s;
    }
    default: return FormatNumber(p, p.Min) + ".." + FormatNumber(p, p.Max);
  }
}

std::string DefaultText(const TFilterParam& p) {
  if (!p.DefaultText.empty()) return p.DefaultText;
  switch (p.Kind) {
    case K::Boolean: return p.Default != 0 ? "true" : "false";
    case K::Choice: return p.Choices[static_cast<std::size_t>(p.Default)];
    default: return FormatNumber(p, p.Default);
  }
}

std::string KeyList(const TFilterEntry& entry) {
  if (entry.Params.empty()) return "none";
  std::string s;
  for (const TFilterParam& p : entry.Params) s += (s.empty() ? "" : ", ") + p.Key;
  return s;
}

double ParseValue(const TFilterParam& p, const std::string& text) {
  auto bad = [&](const std::string& expected) -> TFilterArgError {
    return TFilterArgError(p.Key + ": \"" + text + "\" is not " + expected);
  };
  switch (p.Kind) {
    case K::Boolean:
      if (text == "true" || text == "1" || text == "yes" || text == "on") return 1;
      if (text == "false" || text == "0" || text == "no" || text == "off") return 0;
      throw bad("true or false");
    case K::Choice:
      for (std::size_t i = 0; i < p.Choices.size(); ++i)
        if (text == p.Choices[i]) return static_cast<double>(i);
      throw bad("one of " + RangeText(p));
    case K::Integer: {
      int v = 0;
      const char* end = text.data() + text.size();
      const char* begin = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
      auto [ptr, ec] = std::from_chars(begin, end, v);
      if (text.empty() || ec != std::errc{} || ptr != end) throw bad("a whole number");
      return v;
    }
    case K::Decimal: {
      char* endp = nullptr;
      const double v = std::strtod(text.c_str(), &endp);
      if (text.empty() || endp != text.c_str() + text.size() || !std::isfinite(v))
        throw bad("a number");
      return v;
    }
  }
  throw bad("valid");
}

}  // namespace

double TFilterArgs::Number(const std::string& key) const {
  const auto it = FValues.find(key);
  if (it == FValues.end()) throw TFilterArgError("no parameter \"" + key + "\"");
  return it->second;
}

void TFilterArgs::Set(const std::string& key, double value, bool given) {
  FValues[key] = value;
  if (given)
    FGiven[key] = true;
  else
    FGiven.erase(key);
}

const std::vector<TFilterEntry>& FilterEntries() {
  static const std::vector<TFilterEntry> entries = MakeEntries();
  return entries;
}

const TFilterEntry* FindFilterEntry(const std::string& name) {
  for (const TFilterEntry& e : FilterEntries())
    if (e.Name == name) return &e;
  return nullptr;
}

TFilterArgs ParseFilterArgs(const TFilterEntry& entry, const std::vector<std::string>& settings) {
  TFilterArgs args;
  for (const TFilterParam& p : entry.Params) args.Set(p.Key, p.Default, false);
  for (const std::string& s : settings) {
    const auto eq = s.find('=');
    if (eq == std::string::npos)
      throw TFilterArgError("\"" + s + "\" is not KEY=VALUE");
    const std::string key = s.substr(0, eq), text = s.substr(eq + 1);
    const TFilterParam* param = nullptr;
    for (const TFilterParam& p : entry.Params)
      if (p.Key == key) param = &p;
    if (!param)
      throw TFilterArgError("unknown key \"" + key + "\" for " + entry.Name + " (keys: " +
                            KeyList(entry) + ")");
    const double v = ParseValue(*param, text);
    if (v < param->Min || v > param->Max)
      throw TFilterArgError(key + ": " + text + " is out of range " + RangeText(*param));
    args.Set(key, v, true);
  }
  return args;
}

void RunFilter(const TFilterEntry& entry, const TFilterArgs& args, TPixelGraphic& image,
               std::uint64_t seed, const TPGFilterOptions& options) {
  entry.Run(args, image, seed, options);
}

std::string DescribeFilters() {
  // Pads to a column width, never cutting the text.
  auto pad = [](std::string s, std::size_t width) {
    if (s.size() < width) s.resize(width, ' ');
    return s;
  };
  std::string out;
  for (const TFilterEntry& e : FilterEntries()) {
    out += pad(e.Name, 12) + e.Summary + (e.UsesSeed ? "; random, see --seed" : "") + "\n";
    for (const TFilterParam& p : e.Params)
      out += pad("  " + p.Key, 22) + pad(RangeText(p), 20) + "default " + DefaultText(p) + "\n";
  }
  return out;
}
