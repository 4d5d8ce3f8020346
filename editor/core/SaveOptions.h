// The save options dialog's values over the library-wide format settings: filled from the
// settings, taken back in a fixed order, and the list of settings kept between runs.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TSaveOptionsForm {
  int JPEGWriteDCTMethod = 0;  // 0 integer precise, 1 integer fast, 2 floating point
  std::string JPEGWriteQuality;
  bool JPEGWriteProgressive = false;
  int JPEGReadDCTMethod = 0;
  bool PXMWriteBinary = false;
  bool TIFFPackBits = false;  // compression 32773, else 1 (none)
  bool TIFFWriteCMYK = false;
  bool TIFFWriteWhiteIsZero = false;
  bool TIFFWriteMotorola = false;
  int TIFFResolutionUnit = 1;  // 0 none, 1 inch, 2 centimetre
  std::string XNumerator, XDenominator, YNumerator, YDenominator;
  std::string ScreenGamma;
  bool GammaCorrectionOnRead = true;
  bool WriteGamma = true;
};

// Every control from its setting; numbers as decimal text, the screen gamma as the shortest
// decimal text of its value.
TSaveOptionsForm ReadSaveOptions();

// Takes the settings from the form in the dialog's order. A field that is not a number, a
// screen gamma of 0 or below, a resolution denominator of 0 or a value the library refuses
// stops there: the settings taken before keep their new values, the later ones their old
// values. Returns the message for the user, empty when everything was taken.
std::string ApplySaveOptions(const TSaveOptionsForm& form);

// The shortest decimal text that reads back as `value` ("1.8").
std::string ShortestDecimal(double value);

// The names of the settings the dialog edits (the ones kept between runs).
const std::vector<std::string>& SaveOptionSettingNames();
// Sets every stored setting that `stored` returns; values the library refuses are skipped,
// so an unreadable store leaves the defaults.
void RestoreSaveOptions(const std::function<std::optional<std::string>(const std::string&)>& stored);
