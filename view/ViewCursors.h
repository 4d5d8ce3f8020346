// The view's four own cursors: open hand, grabbing hand, dashed cross-hair, four-headed arrow.
#pragma once

#include <QCursor>

struct TViewCursors {
  QCursor OpenHand, GrabbingHand, CrossHair, MoveArrows;
};

// Made once, on first use (needs a running application).
const TViewCursors& ViewCursors();
