// TMetafile: the metafile service of the metafile readers. Loads Windows and enhanced
// metafiles, reports their natural size and palette, and plays them onto a picture through
// the installed renderer (the drawing itself needs a painter; parsing does not).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/PGraphic.h"
#include "platform/MetafileData.h"

// Creates a GUI application (offscreen when no platform is chosen) when the program has none:
// text output needs its font database. Part of the Qt metafile library (lumivex_metafile).
void EnsureMetafileGuiApplication();

// Draws the records onto a top-down surface of width x height pixels, 0xffRRGGBB each, that
// starts as the picture. Returns false with the reason in `error` when it cannot draw.
using TMetafileRenderer = bool (*)(const TMetafileData& data, std::uint32_t* pixels, int width,
                                   int height, std::string* error);
// The renderer TMetafile::Play uses (the Qt metafile library installs its own in
// RegisterExtraReaders; lumivex-cli installs one that loads its Qt module on first use).
void SetMetafileRenderer(TMetafileRenderer renderer);

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
  // picture keeps its pixels where nothing is drawn. Raises EPixelGraphic when no renderer is
  // installed or the renderer fails.
  void Play(TPixelGraphic& target) const;

 private:
  TMetafileData FData;
};
