#include "imaging/formats/FormatSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <mutex>

#include "imaging/PGTypes.h"
#include "imaging/formats/FormatContext.h"

namespace {

// The library-wide state behind one lock: ScreenGamma is written only under it too, so a
// captured context always holds settings and gamma of the same moment.
struct TLibrarySettings {
  std::mutex Lock;
  TPGFormatSettings Settings;
  TPGWarningBoxHook WarningBox;
};

TLibrarySettings& Library() {
  static TLibrarySettings library;
  return library;
}

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

// Setters and getters run under the lock on the library's settings.
struct TSetting {
  const char* Name;
  std::function<std::string(TPGFormatSettings&, const std::string&)> Set;  // error text or empty
  std::function<std::string(const TPGFormatSettings&)> Get;
};

TSetting BoolSetting(const char* name, bool TPGFormatSettings::*field) {
  return {name,
          [field](TPGFormatSettings& s, const std::string& v) -> std::string {
            bool b;
            if (!ParseBool(v, b)) return "expects true or false";
            s.*field = b;
            return {};
          },
          [field](const TPGFormatSettings& s) { return std::string(s.*field ? "true" : "false"); }};
}

TSetting IntSetting(const char* name, int TPGFormatSettings::*field, long long lo, long long hi,
                    std::vector<long long> allowed = {}) {
  return {name,
          [field, lo, hi, allowed](TPGFormatSettings& s, const std::string& v) -> std::string {
            long long n;
            if (!ParseInt(v, lo, hi, n))
              return "expects an integer from " + std::to_string(lo) + " to " + std::to_string(hi);
            if (!allowed.empty() && std::find(allowed.begin(), allowed.end(), n) == allowed.end()) {
              std::string list;
              for (long long a : allowed) list += (list.empty() ? "" : ", ") + std::to_string(a);
              return "expects one of " + list;
            }
            s.*field = static_cast<int>(n);
            return {};
          },
          [field](const TPGFormatSettings& s) { return std::to_string(s.*field); }};
}

TSetting RationalSetting(const char* name, TPGRational TPGFormatSettings::*field) {
  return {name,
          [field](TPGFormatSettings& s, const std::string& v) -> std::string {
            const auto slash = v.find('/');
            long long n, d = 1;
            const bool ok =
                slash == std::string::npos
                    ? ParseInt(v, 0, 0xFFFFFFFFLL, n)
                    : ParseInt(v.substr(0, slash), 0, 0xFFFFFFFFLL, n) &&
                          ParseInt(v.substr(slash + 1), 1, 0xFFFFFFFFLL, d);
            if (!ok) return "expects N/D with a denominator of at least 1";
            s.*field = {static_cast<unsigned>(n), static_cast<unsigned>(d)};
            return {};
          },
          [field](const TPGFormatSettings& s) {
            const TPGRational r = s.*field;
            return std::to_string(r.Numerator) + "/" + std::to_string(r.Denominator);
          }};
}

const std::vector<TSetting>& Settings() {
  static const std::vector<TSetting> settings = {
      {"ScreenGamma",
       [](TPGFormatSettings&, const std::string& v) -> std::string {
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
       [](const TPGFormatSettings&) { return std::to_string(ScreenGamma.load()); }},
      BoolSetting("GammaCorrectionOnRead", &TPGFormatSettings::GammaCorrectionOnRead),
      BoolSetting("WriteGamma", &TPGFormatSettings::WriteGamma),
      BoolSetting("BMPRead16BitExpand", &TPGFormatSettings::BMPRead16BitExpand),
      IntSetting("JPEGReadDCTMethod", &TPGFormatSettings::JPEGReadDCTMethod, 0, 2),
      IntSetting("JPEGWriteDCTMethod", &TPGFormatSettings::JPEGWriteDCTMethod, 0, 2),
      IntSetting("JPEGWriteQuality", &TPGFormatSettings::JPEGWriteQuality, 0, 100),
      BoolSetting("JPEGWriteProgressive", &TPGFormatSettings::JPEGWriteProgressive),
      BoolSetting("PNGReadBackground", &TPGFormatSettings::PNGReadBackground),
      BoolSetting("GIFReadTrueColor", &TPGFormatSettings::GIFReadTrueColor),
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

TPGFormatSettings CurrentFormatSettings() {
  std::lock_guard lock(Library().Lock);
  return Library().Settings;
}

void ChangeFormatSettings(const std::function<void(TPGFormatSettings&)>& change) {
  std::lock_guard lock(Library().Lock);
  change(Library().Settings);
}

void ResetFormatSettings() {
  std::lock_guard lock(Library().Lock);
  Library().Settings = TPGFormatSettings{};
  ScreenGamma = 1.8;
}

void SetPGWarningBoxHook(TPGWarningBoxHook hook) {
  std::lock_guard lock(Library().Lock);
  Library().WarningBox = std::move(hook);
}

TPGFormatContext CaptureFormatContext() {
  TPGFormatContext context;
  std::lock_guard lock(Library().Lock);
  context.Settings = Library().Settings;
  context.ScreenGamma = ScreenGamma;
  context.WarningBox = Library().WarningBox;
  return context;
}

std::string SetFormatSetting(const std::string& name, const std::string& value) {
  for (const TSetting& s : Settings()) {
    if (name == s.Name) {
      std::lock_guard lock(Library().Lock);
      const std::string error = s.Set(Library().Settings, value);
      return error.empty() ? error : name + " " + error;
    }
  }
  return "unknown setting \"" + name + "\"";
}

std::string FormatSettingValue(const std::string& name) {
  for (const TSetting& s : Settings()) {
    if (name == s.Name) {
      std::lock_guard lock(Library().Lock);
      return s.Get(Library().Settings);
    }
  }
  return {};
}
