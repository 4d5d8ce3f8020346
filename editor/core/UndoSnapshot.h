// TUndoSnapshot: the editor's one level of undo. It holds at most one copy of the picture and
// the name of the command that ran after the copy was taken.
#pragma once

#include <memory>
#include <string>

#include "imaging/PGraphic.h"

class TUndoSnapshot {
 public:
  // Replaces any earlier copy by a copy of `picture`, taken before `commandName` changes it.
  void Prepare(const TPixelGraphic& picture, const std::string& commandName);
  // Hands the copy over (nullptr when none) and disables undo.
  std::unique_ptr<TPixelGraphic> Take();
  void Clear();

  bool Enabled() const { return static_cast<bool>(FCopy); }
  const std::string& CommandName() const { return FName; }
  // "Undo " + the command's name while a copy is held, "Undo" otherwise.
  std::string Caption() const;
  const TPixelGraphic* Copy() const { return FCopy.get(); }

 private:
  std::unique_ptr<TPixelGraphic> FCopy;
  std::string FName;
};
