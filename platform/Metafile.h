// TMetafile: the metafile service of the metafile readers. Loads Windows and enhanced
// metafiles, reports their natural size and palette, and plays them onto a picture.
#pragma once

#include <vector>

#include "imaging/PGraphic.h"
#include "platform/MetafileData.h"

// Creates a GUI application (offscreen when no platform is chosen) when the program has none:
// text output needs its font database.
void EnsureMetafileGuiApplication();

class TMetafile {
 public:
  // False when the data is no metafile of the kind (a Windows metafile without placeable
  // header gets one, see LoadWindowsMetafile).
  bool LoadWindows(const std::vector<std::uint8_t>& file) { return LoadWindowsMetafile(file, FData); }
  bool LoadEnhanced(const std::vector<std::uint8_t>& file) { return LoadEnhancedMetafile(file, FData); }

  int Width() const { return FData.NaturalWidth; }
  int Height() const { return FData.NaturalHeight; }
  bool Enhanced() const { return FData.Enhanced; }
  bool Placeable() const { return FData.Placeable; }
  const std::vector<TRGB>& Palette() const { return FData.Palette; }
  const TMetafileData& Data() const { return FData; }

  // Plays the records onto the picture's whole area (its size is the output size). The
  // picture keeps its pixels where nothing is drawn.
  void Play(TPixelGraphic& target) const;

 private:
  TMetafileData FData;
};
