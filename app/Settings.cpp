#include "app/Settings.h"

#include "files/DeleteRules.h"

TMainSettings TMainSettings::Load() {
  TMainSettings s;
  s.DeletePermanently = DeletesPermanently(ReadSetting("Deletions", "0").toStdString());
  s.Drive = ReadSetting("Drive", s.Drive);
  s.Directory = ReadSetting("Directory", QString());
  s.Left = ReadIntSetting("Left", 0);
  s.Top = ReadIntSetting("Top", 0);
  s.Width = ReadIntSetting("Width", 600);
  s.Height = ReadIntSetting("Height", 400);
  s.Seconds = ReadIntSetting("Seconds", 4);
  if (s.Seconds < 1 || s.Seconds > 60) s.Seconds = 4;
  s.ConfirmDeletions = ConfirmsDeletions(ReadSetting("Confirm Deletions", "1").toStdString());
  s.BackgroundColor = ReadIntSetting("BG Color", -1);
  return s;
}

void TMainSettings::Save(bool colorChanged) const {
  WriteSetting("Drive", Drive);
  WriteSetting("Seconds", QString::number(Seconds));
  WriteSetting("Directory", Directory);
  WriteSetting("Left", QString::number(Left));
  WriteSetting("Top", QString::number(Top));
  WriteSetting("Width", QString::number(Width));
  WriteSetting("Height", QString::number(Height));
  if (colorChanged) WriteSetting("BG Color", QString::number(BackgroundColor));
}
