// The whole screen as a picture: 24-bit on true-colour screens, 8-bit with the screen's colour
// table on palette screens, 4-bit with the standard 16 colours on 16-colour screens.
#pragma once

#include <QString>
#include <memory>

#include "imaging/PGraphic.h"

struct TScreenCapture {
  std::unique_ptr<TPixelGraphic> Picture;  // nullptr when the screen could not be read
  QString Error;                           // why, for the user
};

// Must run while the event loop runs (from a command or a timer), or the screen reads black.
TScreenCapture CaptureScreen();
