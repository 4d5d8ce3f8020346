// A reader's warning (damaged or truncated data that still gave a picture), acted on by the
// image's ReadWarningAction.
#pragma once

#include <string>

#include "imaging/PGTypes.h"

// True when reading goes on: pgwaIgnore drops the warning, pgwaOKBox shows it in a box titled
// `caption`, pgwaOKCancelBox shows it with OK and Cancel and goes on only on OK, pgwaRaise
// never goes on.
bool PGReadWarningContinues(TPGWarningAction action, const std::string& caption,
                            const std::string& text);

// Raises the reader's exception E with `text` unless reading goes on.
template <class E>
void PGReadWarning(TPGWarningAction action, const std::string& caption, const std::string& text) {
  if (!PGReadWarningContinues(action, caption, text)) throw E(text);
}
