#include "imaging/formats/ReadWarning.h"

#include "imaging/formats/LoadSave.h"

bool PGReadWarningContinues(TPGWarningAction action, const std::string& caption,
                            const std::string& text) {
  switch (action) {
    case pgwaIgnore: return true;
    case pgwaOKBox: PGWarningBox(caption, text, false); return true;
    case pgwaOKCancelBox: return PGWarningBox(caption, text, true);
    case pgwaRaise: return false;
  }
  return false;
}
