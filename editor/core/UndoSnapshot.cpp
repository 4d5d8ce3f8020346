#include "editor/core/UndoSnapshot.h"

void TUndoSnapshot::Prepare(const TPixelGraphic& picture, const std::string& commandName) {
  auto copy = std::make_unique<TPixelGraphic>();
  copy->Assign(&picture);
  FCopy = std::move(copy);  // the earlier copy goes only once the new one exists
  FName = commandName;
}

std::unique_ptr<TPixelGraphic> TUndoSnapshot::Take() {
  FName.clear();
  return std::move(FCopy);
}

void TUndoSnapshot::Clear() {
  FCopy.reset();
  FName.clear();
}

std::string TUndoSnapshot::Caption() const { return Enabled() ? "Undo " + FName : "Undo"; }
