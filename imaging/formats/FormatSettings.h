// Library-wide format settings. Every load and save takes a copy of them at its start (its
// format context, FormatContext.h), so a change made while a load runs never reaches it half.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct TPGRational {
  unsigned Numerator = 300;
  unsigned Denominator = 1;
};

struct TPGFormatSettings {
  bool GammaCorrectionOnRead = true;
  bool WriteGamma = true;
  bool BMPRead16BitExpand = true;
  int JPEGReadDCTMethod = 0;   // 0 integer precise, 1 integer fast, 2 floating point
  int JPEGWriteDCTMethod = 2;
  int JPEGWriteQuality = 80;   // 0..100
  bool JPEGWriteProgressive = false;
  bool PNGReadBackground = true;
  // GIF reader: deliver 24-bit pictures with the transparent colour blended onto the image's
  // background colour instead of palette pictures that keep every index.
  bool GIFReadTrueColor = false;
  bool PXMWriteBinary = false;
  bool TIFFReadAllImages = false;
  int TIFFMaxImages = 1000;
  int TIFFWriteCompression = 1;  // 1 none, 32773 PackBits
  bool TIFFWriteCMYK = false;
  bool TIFFWriteWhiteIsZero = false;
  bool TIFFWriteMotorola = false;
  int TIFFResolutionUnit = 1;  // 0 none, 1 inch, 2 centimetre
  TPGRational TIFFXResolution;
  TPGRational TIFFYResolution;
};

// The one set of settings is kept behind a lock; ScreenGamma lives beside the image model
// (PGTypes.h) and is changed under the same lock by the functions below.

// A copy of the current settings.
TPGFormatSettings CurrentFormatSettings();
// Changes the settings in one step: change runs under the lock on the current settings (it
// must not call the other functions of this header).
void ChangeFormatSettings(const std::function<void(TPGFormatSettings&)>& change);

// Restores every setting (and ScreenGamma) to its default.
void ResetFormatSettings();

// Names of the settings that SetFormatSetting accepts, ScreenGamma included.
std::vector<std::string> FormatSettingNames();
// Changes a setting by its name from text ("true"/"false"/"1"/"0", integers, decimals,
// "N/D" for resolutions). Returns an error text, empty on success; nothing changes on error.
std::string SetFormatSetting(const std::string& name, const std::string& value);
// Current value of a setting as text; empty for an unknown name.
std::string FormatSettingValue(const std::string& name);
