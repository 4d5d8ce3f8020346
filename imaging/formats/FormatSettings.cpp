#include "imaging/formats/FormatSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>

#include "imaging/PGTypes.h"

TPGFormatSettings PGFormatSettings;

void ResetFormatSettings() {
  PGFormatSettings = TPGFormatSettings{};
  ScreenGamma = 1.8;
}

namespace {

bool ParseBool(const std::string& v, bool& out) {
  if (v == "true" || v == "1" || v == "yes" || v == "on") {
    out = true;
    return true;
  }
  if (v == "false" || v == "0" || v == "no" || v == "off") {
    out = false;
    return true;
  }
  return false;
}

bool ParseInt(const std::string& v, long long lo, long long hi, long long& out) {
  const char* end = v.data() + v.size();
  auto [p, ec] = std::from_chars(v.data(), end, out);
  return ec == std::errc{} && p == end && !v.empty() && out >= lo && out <= hi;
}

struct TSetting {
  const char* Name;
  std::function<std::string(const std::string&)> Set;  // error text or empty
  std::function<std::string()> Get;
};

TSetting BoolSetting(const char* name, bool TPGFormatSettings::*field) {
  return {name,
          [field](const std::string& v) -> std::string {
            bool b;
            if (!ParseBool(v, b)) return "expects true or false";
            PGFormatSettings.*field = b;
            return {};
          },
          [field] { return std::string(PGFormatSettings.*field ? "true" : "false"); }};
}

TSetting IntSetting(const char* name, int TPGFormatSettings::*field, long long lo, long long hi,
                    std::vector<long long> allowed = {}) {
  return {name,
          [field, lo, hi, allowed](const std::string& v) -> std::string {
            long long n;
            if (!ParseInt(v, lo, hi, n))
              return "expects an integer from " + std::to_string(lo) + " to " + std::to_string(hi);
            if (!allowed.empty() && std::find(allowed.begin(), allowed.end(), n) == allowed.end()) {
              std::string list;
              for (long long a : allowed) list += (list.empty() ? "" : ", ") + std::to_string(a);
              return "expects one of " + list;
            }
            PGFormatSettings.*field = static_cast<int>(n);
            return {};
          },
          [field] { return std::to_string(PGFormatSettings.*field); }};
}

TSetting RationalSetting(const char* name, TPGRational TPGFormatSettings::*field) {
  return {name,
          [field](const std::string& v) -> std::string {
            const auto slash = v.find('/');
            long long n, d = 1;
            const bool ok =
                slash == std::string::npos
                    ? ParseInt(v, 0, 0xFFFFFFFFLL, n)
                    : ParseInt(v.substr(0, slash), 0, 0xFFFFFFFFLL, n) &&
                          ParseInt(v.substr(slash + 1), 1, 0xFFFFFFFFLL, d);
            if (!ok) return "expects N/D with a denominator of at least 1";
            PGFormatSettings.*field = {static_cast<unsigned>(n), static_cast<unsigned>(d)};
            return {};
          },
          [field] {
            const TPGRational r = PGFormatSettings.*field;
            return std::to_string(r.Numerator) + "/" + std::to_string(r.Denominator);
          }};
}

const std::vector<TSetting>& Settings() {
  static const std::vector<TSetting> settings = {
      {"ScreenGamma",
       [](const std::string& v) -> std::string {
         std::size_t used = 0;
         double g = 0;
         try {
           g = std::stod(v, &used);
         } catch (...) {
           used = 0;
         }
         if (used != v.size() || v.empty() || !std::isfinite(g) || g <= 0 || g > 10)
           return "expects a number above 0 and at most 10";
         ScreenGamma = g;
         return {};
       },
       [] { return std::to_string(ScreenGamma); }},
      BoolSetting("GammaCorrectionOnRead", &TPGFormatSettings::GammaCorrectionOnRead),
      BoolSetting("WriteGamma", &TPGFormatSettings::WriteGamma),
      BoolSetting("BMPRead16BitExpand", &TPGFormatSettings::BMPRead16BitExpand),
      IntSetting("JPEGReadDCTMethod", &TPGFormatSettings::JPEGReadDCTMethod, 0, 2),
      IntSetting("JPEGWriteDCTMethod", &TPGFormatSettings::JPEGWriteDCTMethod, 0, 2),
      IntSetting("JPEGWriteQuality", &TPGFormatSettings::JPEGWriteQuality, 0, 100),
      BoolSetting("JPEGWriteProgressive", &TPGFormatSettings::JPEGWriteProgressive),
      BoolSetting("PNGReadBackground", &TPGFormatSettings::PNGReadBackground),
      BoolSetting("PXMWriteBinary", &TPGFormatSettings::PXMWriteBinary),
      BoolSetting("TIFFReadAllImages", &TPGFormatSettings::TIFFReadAllImages),
      IntSetting("TIFFMaxImages", &TPGFormatSettings::TIFFMaxImages, 1, 1000000),
      IntSetting("TIFFWriteCompression", &TPGFormatSettings::TIFFWriteCompression, 1, 32773,
                 {1, 32773}),
      BoolSetting("TIFFWriteCMYK", &TPGFormatSettings::TIFFWriteCMYK),
      BoolSetting("TIFFWriteWhiteIsZero", &TPGFormatSettings::TIFFWriteWhiteIsZero),
      BoolSetting("TIFFWriteMotorola", &TPGFormatSettings::TIFFWriteMotorola),
      IntSetting("TIFFResolutionUnit", &TPGFormatSettings::TIFFResolutionUnit, 0, 2),
      RationalSetting("TIFFXResolution", &TPGFormatSettings::TIFFXResolution),
      RationalSetting("TIFFYResolution", &TPGFormatSettings::TIFFYResolution),
  };
  return settings;
}

}  // namespace

std::vector<std::string> FormatSettingNames() {
  std::vector<std::string> names;
  for (const TSetting& s : Settings()) names.emplace_back(s.Name);
  return names;
}

std::string SetFormatSetting(const std::string& name, const std::string& value) {
  for (const TSetting& s : Settings()) {
    if (name == s.Name) {
      const std::string error = s.Set(value);
      return error.empty() ? error : name + " " + error;
    }
  }
  return "unknown setting \"" + name + "\"";
}

std::string FormatSettingValue(const std::string& name) {
  for (const TSetting& s : Settings())
    if (name == s.Name) return s.Get();
  return {};
}
