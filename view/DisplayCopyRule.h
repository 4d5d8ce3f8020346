// Whether the view needs a display copy of its picture, and what kind (no toolkit involved).
//
// A display copy is needed when the screen has fewer colours than the picture, or when a
// slower stretch quality resamples the picture to the displayed size.
#pragma once

#include "imaging/PGTypes.h"

struct TDisplayCopyInput {
  bool HasImage = false;
  int ImageBits = 24;
  TPaletteIdent ImageIdent = pTrueColor;
  int W = 0, H = 0;               // picture size
  int BoxW = 0, BoxH = 0;         // displayed size
  int ScreenDepth = 24;
  TStretchMode StretchMode = smFast;
  bool ReduceOnLoad = false;
  bool KeepOldCopy = false;       // KeepOldPaintPixelGraphic and UseThread
  bool Dirty = false;
  bool CopyPresent = false;
  int OrderedW = 0, OrderedH = 0;  // size the current copy was ordered with
  bool PreviousBuildStopped = false;
  TPaletteIdent Palette24 = pOptimized252Sys16;  // for 24-bit pictures on 8-bit screens
  TPaletteIdent Palette8 = pOptimized252Sys16;   // for palette pictures on 8-bit screens
  bool Allow24BitStretch = false;
};

struct TDisplayCopyOrder {
  TPixelFormat Format = pf24Bit;
  int Width = 0, Height = 0;
  // pNone: no palette (24-bit); pOptimized252Sys16: computed from the picture; pSource: the
  // picture's own palette; otherwise that fixed palette.
  TPaletteIdent Palette = pNone;
  bool Intermediate = false;  // resample into a 24-bit copy first
};

struct TDisplayCopyDecision {
  bool Dirty = false;           // updated dirty flag
  bool Needed = false;
  bool DiscardCurrent = false;  // drop the current copy
  bool Order = false;           // order a new copy
  TDisplayCopyOrder OrderSpec;
};

TDisplayCopyDecision DecideDisplayCopy(const TDisplayCopyInput& in);
