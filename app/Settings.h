// The main window's values in the per-user settings store.
#pragma once

#include "platform/Settings.h"

// The main window's own values.
struct TMainSettings {
  QString Drive = QStringLiteral("/");
  QString Directory;
  int Left = 0, Top = 0, Width = 600, Height = 400;
  int Seconds = 4;            // 1..60
  bool ConfirmDeletions = true;
  bool DeletePermanently = false;
  int BackgroundColor = -1;   // -1: the pane's own colour

  // Reads every value; unreadable numbers fall back to their defaults.
  static TMainSettings Load();
  // Writes what the window writes when it closes; the colour only when it was changed.
  void Save(bool colorChanged) const;
};
