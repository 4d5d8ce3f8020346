// The browser's viewing additions, each switched in the preferences and kept in the settings
// store: the full-screen view, preloading of the neighbouring pictures, showing pictures
// upright by their orientation tag, and converting embedded colour profiles to sRGB.
#pragma once

struct TViewingSettings {
  bool FullScreen = true;
  bool Preload = true;
  bool AutoRotate = true;
  bool ColorManagement = true;
  // Large JPEG pictures shown fitted are decoded at a reduced scale for the screen.
  bool ReducedDecode = true;

  // Reads every value; a missing or unreadable value keeps its default (on).
  static TViewingSettings Load();
  void Save() const;
};
