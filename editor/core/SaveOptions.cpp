#include "editor/core/SaveOptions.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "imaging/formats/FormatSettings.h"

namespace {

bool SettingIsTrue(const char* name) { return FormatSettingValue(name) == "true"; }

int SettingInt(const char* name) { return std::atoi(FormatSettingValue(name).c_str()); }

void SplitRational(const std::string& text, std::string& numerator, std::string& denominator) {
  const auto slash = text.find('/');
  numerator = text.substr(0, slash);
  denominator = slash == std::string::npos ? "1" : text.substr(slash + 1);
}

std::string Trimmed(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
  return text.substr(first, last - first);
}

// A decimal integer (an optional minus sign and digits), as typed.
bool IsInteger(const std::string& text) {
  long long n = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  return !text.empty() && error == std::errc{} && end == text.data() + text.size();
}

std::string NotAnInteger(const std::string& text) {
  return "\"" + text + "\" is not a valid integer value.";
}

// Takes the fields one by one; the first failure is kept and ends the taking-over.
class TTaker {
 public:
  bool Failed() const { return !FMessage.empty(); }
  const std::string& Message() const { return FMessage; }

  void Set(const std::string& name, const std::string& value) {
    if (Failed()) return;
    const std::string error = SetFormatSetting(name, value);
    if (!error.empty()) FMessage = error;
  }
  void SetFlag(const std::string& name, bool value) { Set(name, value ? "true" : "false"); }
  // An integer field: its text must be a whole number first.
  void SetInteger(const std::string& name, const std::string& text) {
    if (Failed()) return;
    const std::string t = Trimmed(text);
    if (!IsInteger(t)) {
      FMessage = NotAnInteger(text);
      return;
    }
    Set(name, t);
  }
  void SetRational(const std::string& name, const std::string& numerator,
                   const std::string& denominator, const char* axis) {
    if (Failed()) return;
    const std::string n = Trimmed(numerator), d = Trimmed(denominator);
    if (!IsInteger(n)) return void(FMessage = NotAnInteger(numerator));
    if (!IsInteger(d)) return void(FMessage = NotAnInteger(denominator));
    if (std::strtoll(d.c_str(), nullptr, 10) == 0)
      return void(FMessage = std::string("The ") + axis +
                             " resolution's denominator must not be 0.");
    Set(name, n + "/" + d);
  }
  void SetGamma(const std::string& text) {
    if (Failed()) return;
    const std::string t = Trimmed(text);
    char* end = nullptr;
    const double g = std::strtod(t.c_str(), &end);
    if (t.empty() || end != t.c_str() + t.size() || !std::isfinite(g))
      return void(FMessage = "\"" + text + "\" is not a valid floating point value.");
    if (g <= 0) return void(FMessage = "The screen gamma must be above 0.");
    Set("ScreenGamma", t);
  }

 private:
  std::string FMessage;
};

}  // namespace

std::string ShortestDecimal(double value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc{} ? std::string(buffer, end) : std::string("0");
}

TSaveOptionsForm ReadSaveOptions() {
  TSaveOptionsForm f;
  f.JPEGWriteDCTMethod = SettingInt("JPEGWriteDCTMethod");
  f.JPEGWriteQuality = FormatSettingValue("JPEGWriteQuality");
  f.JPEGWriteProgressive = SettingIsTrue("JPEGWriteProgressive");
  f.JPEGReadDCTMethod = SettingInt("JPEGReadDCTMethod");
  f.PXMWriteBinary = SettingIsTrue("PXMWriteBinary");
  f.TIFFPackBits = SettingInt("TIFFWriteCompression") == 32773;
  f.TIFFWriteCMYK = SettingIsTrue("TIFFWriteCMYK");
  f.TIFFWriteWhiteIsZero = SettingIsTrue("TIFFWriteWhiteIsZero");
  f.TIFFWriteMotorola = SettingIsTrue("TIFFWriteMotorola");
  f.TIFFResolutionUnit = SettingInt("TIFFResolutionUnit");
  SplitRational(FormatSettingValue("TIFFXResolution"), f.XNumerator, f.XDenominator);
  SplitRational(FormatSettingValue("TIFFYResolution"), f.YNumerator, f.YDenominator);
  f.ScreenGamma = ShortestDecimal(std::strtod(FormatSettingValue("ScreenGamma").c_str(), nullptr));
  f.GammaCorrectionOnRead = SettingIsTrue("GammaCorrectionOnRead");
  f.WriteGamma = SettingIsTrue("WriteGamma");
  return f;
}

std::string ApplySaveOptions(const TSaveOptionsForm& f) {
  TTaker take;
  take.Set("JPEGWriteDCTMethod", std::to_string(f.JPEGWriteDCTMethod));
  take.SetInteger("JPEGWriteQuality", f.JPEGWriteQuality);
  take.SetFlag("JPEGWriteProgressive", f.JPEGWriteProgressive);
  take.Set("JPEGReadDCTMethod", std::to_string(f.JPEGReadDCTMethod));
  take.SetFlag("PXMWriteBinary", f.PXMWriteBinary);
  take.Set("TIFFWriteCompression", f.TIFFPackBits ? "32773" : "1");
  take.SetFlag("TIFFWriteMotorola", f.TIFFWriteMotorola);
  take.SetFlag("TIFFWriteCMYK", f.TIFFWriteCMYK);
  take.SetFlag("TIFFWriteWhiteIsZero", f.TIFFWriteWhiteIsZero);
  take.Set("TIFFResolutionUnit", std::to_string(f.TIFFResolutionUnit));
  take.SetRational("TIFFXResolution", f.XNumerator, f.XDenominator, "horizontal");
  take.SetRational("TIFFYResolution", f.YNumerator, f.YDenominator, "vertical");
  take.SetFlag("WriteGamma", f.WriteGamma);
  take.SetGamma(f.ScreenGamma);
  take.SetFlag("GammaCorrectionOnRead", f.GammaCorrectionOnRead);
  return take.Message();
}

const std::vector<std::string>& SaveOptionSettingNames() {
  static const std::vector<std::string> names = {
      "JPEGWriteDCTMethod", "JPEGWriteQuality",     "JPEGWriteProgressive", "JPEGReadDCTMethod",
      "PXMWriteBinary",     "TIFFWriteCompression", "TIFFWriteMotorola",    "TIFFWriteCMYK",
      "TIFFWriteWhiteIsZero", "TIFFResolutionUnit", "TIFFXResolution",      "TIFFYResolution",
      "WriteGamma",         "ScreenGamma",          "GammaCorrectionOnRead"};
  return names;
}

void RestoreSaveOptions(
    const std::function<std::optional<std::string>(const std::string&)>& stored) {
  for (const std::string& name : SaveOptionSettingNames())
    if (const auto value = stored(name)) SetFormatSetting(name, *value);
}
