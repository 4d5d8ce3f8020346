#include "app/ViewingSettings.h"

#include "platform/Settings.h"

namespace {

bool ReadSwitch(const char* name, bool fallback) {
  const QString value = ReadSetting(QString::fromLatin1(name), fallback ? "1" : "0").trimmed();
  if (value == "0") return false;
  if (value == "1") return true;
  return fallback;
}

void WriteSwitch(const char* name, bool on) {
  WriteSetting(QString::fromLatin1(name), on ? "1" : "0");
}

}  // namespace

TViewingSettings TViewingSettings::Load() {
  TViewingSettings s;
  s.FullScreen = ReadSwitch("Full Screen", s.FullScreen);
  s.Preload = ReadSwitch("Preload", s.Preload);
  s.AutoRotate = ReadSwitch("Auto Rotate", s.AutoRotate);
  s.ColorManagement = ReadSwitch("Color Management", s.ColorManagement);
  s.ReducedDecode = ReadSwitch("Reduced Decode", s.ReducedDecode);
  return s;
}

void TViewingSettings::Save() const {
  WriteSwitch("Full Screen", FullScreen);
  WriteSwitch("Preload", Preload);
  WriteSwitch("Auto Rotate", AutoRotate);
  WriteSwitch("Color Management", ColorManagement);
  WriteSwitch("Reduced Decode", ReducedDecode);
}
