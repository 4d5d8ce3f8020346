// TPictureEditor: the editor's changing commands over its document, with the one level of
// undo. The document lives in a view; TEditTarget is how the commands reach it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "editor/core/ColorRezValues.h"
#include "editor/core/CropArea.h"
#include "editor/core/PictureCommands.h"
#include "editor/core/UndoSnapshot.h"
#include "imaging/PGraphic.h"
#include "imaging/filters/Filter.h"

class TEditTarget {
 public:
  virtual ~TEditTarget() = default;
  // The document, nullptr when there is none. Anything reading it in the background has
  // stopped before this returns, so the caller may change it in place.
  virtual TPixelGraphic* Picture() = 0;
  // The document is replaced by `picture`.
  virtual void Take(std::unique_ptr<TPixelGraphic> picture) = 0;
};

// Progress of a long command: (step, total); returning true stops it.
using TEditProgress = std::function<bool(int step, int total)>;

enum class TEditOutcome {
  Done,       // the picture changed and the undo copy is held
  Nothing,    // no picture, or nothing to do: the undo state is as before
  Aborted,    // stopped on request: see the command for what the picture holds
};

enum class TCropOutcome { Done, NoSelection, Outside, NoPicture };

class TPictureEditor {
 public:
  explicit TPictureEditor(TEditTarget& target) : FTarget(target) {}

  TUndoSnapshot& Undo() { return FUndo; }
  const TUndoSnapshot& Undo() const { return FUndo; }
  bool HasPicture() { return FTarget.Picture() != nullptr; }

  // Prepare-undo under `name`, then `change` in place on the document.
  TEditOutcome InPlace(const std::string& name, const std::function<void(TPixelGraphic&)>& change);
  // Prepare-undo under `name`, then the document is replaced by what `build` returns.
  TEditOutcome ByResult(const std::string& name,
                        const std::function<std::unique_ptr<TPixelGraphic>(const TPixelGraphic&)>& build);

  // The commands (names as the Undo caption shows them).
  TEditOutcome Rotate(double clockwiseDegrees);  // "Rotate"
  // Turns and mirrors the pixels as the file's orientation tag says ("Rotate"); nothing for
  // an upright picture.
  TEditOutcome TurnUpright(int orientation);
  TEditOutcome FlipHorizontal();
  TEditOutcome FlipVertical();
  // The selection cut to the picture; a selection wholly outside crops nothing and leaves
  // the undo state as it was.
  TCropOutcome Crop(bool hasSelection, const TEditRect& selection);
  TEditOutcome Border(bool elliptic, int width, TRGB color);
  TEditOutcome Bevel();
  // A failing or stopped conversion is discarded silently; the picture stays.
  TEditOutcome ColorResolution(const TColorRezChoice& choice, const TEditProgress& progress = {});
  TEditOutcome Resize(int width, int height);
  TEditOutcome FastEffect(TFastEffect effect);
  // An abort discards the half-drawn picture: the document stays as it was.
  TEditOutcome Pencil(const TEditProgress& progress = {});
  TEditOutcome Posterize();
  // A point filter applied to the document in place. An abort leaves the rows filtered so far
  // changed and the rest as they were; the undo copy holds the picture before.
  TEditOutcome PointFilter(const std::string& name, TPGFilter& filter,
                           const TEditProgress& progress = {});
  // A convolution filter into a new picture that replaces the document. An abort discards
  // the half-built picture: the document stays as it was (the undo copy is held as well).
  TEditOutcome Convolution(const std::string& name, TPGFilter& filter,
                           const TEditProgress& progress = {});
  // The effect window's effects (tags 1 to 4) with the slider's amount.
  TEditOutcome Effect(int tag, int amount, std::uint64_t seed);

  // Undo: the document becomes the undo copy; false when none was held.
  bool UndoLast();

 private:
  TPixelGraphic* PictureForChange();

  TEditTarget& FTarget;
  TUndoSnapshot FUndo;
};

// Names of the commands, as "Undo " + name shows them.
namespace editnames {
inline const char* const kRotate = "Rotate";
inline const char* const kFlipVertical = "Flip Vertical";
inline const char* const kFlipHorizontal = "Flip Horizontal";
inline const char* const kCrop = "Crop";
inline const char* const kBorder = "Border";
inline const char* const kBevel = "3D Bevel";
inline const char* const kColorResolution = "Color Resolution";
inline const char* const kResize = "Resize";
inline const char* const kPencil = "Pencil Draw";
inline const char* const kPosterize = "Posterize";
}  // namespace editnames

// The name of a fast effect without a dialog ("Emboss", "Fisheye", "Swirl").
const char* FastEffectName(TFastEffect effect);

// The status bar's progress clock: a report is shown when more than 50 ms passed since the
// last one shown (the clock starts at 0 with every operation).
class TProgressClock {
 public:
  static constexpr long long kIntervalMs = 50;
  void Reset() { FLast = 0; }
  // The percentage to show now (step x 100 div total), or -1 when nothing is to be shown.
  int Report(int step, int total, long long nowMs);

 private:
  long long FLast = 0;
};
