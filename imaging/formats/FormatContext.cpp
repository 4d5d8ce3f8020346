#include "imaging/formats/FormatContext.h"

bool TPGFormatContext::ShowWarningBox(const std::string& caption, const std::string& text,
                                      bool withCancel) const {
  return !WarningBox || WarningBox(caption, text, withCancel);
}

TPGWarningAnswer TPGFormatContext::AskWarning(TPGWarningAction action, const std::string& caption,
                                              const std::string& text) const {
  switch (action) {
    case pgwaIgnore: return pgwGoOn;
    case pgwaOKBox: ShowWarningBox(caption, text, false); return pgwGoOn;
    case pgwaOKCancelBox: return ShowWarningBox(caption, text, true) ? pgwGoOn : pgwCancelled;
    case pgwaRaise: return pgwRefused;
  }
  return pgwRefused;
}

TPGWarningAnswer AskLibraryWarning(const TPGFormatContext& context, TPGWarningAction action,
                                   const std::string& caption, const std::string& text) noexcept {
  try {
    return context.AskWarning(action, caption, text);
  } catch (...) {
    return action == pgwaOKCancelBox ? pgwCancelled : pgwGoOn;
  }
}
