// Enumerations of the picture view.
#pragma once

#include <cstdint>

// Fit policy; KAR keeps the aspect ratio.
enum TStretch : std::uint8_t {
  sNeverKAR,
  sAlways,
  sAlwaysKAR,
  sShrink,
  sShrinkKAR,
  sEnlarge,
  sEnlargeKAR,
  sAlwaysLongerEdgeKAR,
  sShrinkLongerEdgeKAR,
  sEnlargeShrinkLongerEdgeKAR,
  sEnlargeLongerEdgeKAR,
  sZoomKAR
};

enum TTiling : std::uint8_t { tNone, tRepeat, tMirrorHorizontal, tMirrorVertical, tMirror };

// Gesture of the left mouse button.
enum TActionMode : std::uint8_t {
  amMoveImage,
  amMoveResizeCreateSelection,
  amMoveSelection,
  amMoveSelectionMoveImage,
  amCreateSelection,
  amNone
};
