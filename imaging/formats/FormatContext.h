// The settings one load or save works with, captured once when it starts.
#pragma once

#include <functional>
#include <string>

#include "imaging/PGTypes.h"
#include "imaging/formats/FormatSettings.h"

// The warning box of the loads and saves. Receives the caption, the text and whether a Cancel
// button is offered; returns true for OK. Without a hook every warning is answered OK.
using TPGWarningBoxHook =
    std::function<bool(const std::string& caption, const std::string& text, bool withCancel)>;

// What became of a warning: go on, refused without asking (pgwaRaise), or not answered OK.
enum TPGWarningAnswer : std::uint8_t { pgwGoOn, pgwRefused, pgwCancelled };

// Readers and writers are shared objects that may run on several threads at once: everything a
// call reads besides its stream and image comes from this value, which belongs to the call.
struct TPGFormatContext {
  TPGFormatSettings Settings;
  double ScreenGamma = 1.8;
  TPGWarningBoxHook WarningBox;  // empty: every warning is answered OK

  // Shows the warning box; true for OK (also without a hook).
  bool ShowWarningBox(const std::string& caption, const std::string& text, bool withCancel) const;
  // Acts on a warning by its action: pgwaIgnore goes on silently, pgwaOKBox shows the box with
  // OK and goes on, pgwaOKCancelBox shows OK and Cancel and goes on only after OK, pgwaRaise
  // refuses without a box.
  TPGWarningAnswer AskWarning(TPGWarningAction action, const std::string& caption,
                              const std::string& text) const;
};

// AskWarning for the warning callbacks of C libraries, which must not let an exception pass:
// a warning box that raises counts as not answered OK.
TPGWarningAnswer AskLibraryWarning(const TPGFormatContext& context, TPGWarningAction action,
                                   const std::string& caption, const std::string& text) noexcept;

// The current library-wide settings, ScreenGamma and warning hook, taken in one step.
TPGFormatContext CaptureFormatContext();

// The library-wide warning hook that CaptureFormatContext hands to each call.
void SetPGWarningBoxHook(TPGWarningBoxHook hook);
