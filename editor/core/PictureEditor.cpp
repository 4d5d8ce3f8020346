#include "editor/core/PictureEditor.h"

#include "imaging/formats/Orientation.h"

#include "dialogs/core/EffectPreview.h"
#include "imaging/filters/ApplyFilter.h"
#include "imaging/filters/Compositions.h"

namespace {

// Routes an image's progress events to a command's progress for the scope's lifetime.
class TProgressHook {
 public:
  TProgressHook(TPixelGraphic& image, const TEditProgress& progress)
      : FImage(image), FSaved(image.OnPixelGraphicProgress) {
    if (!progress) return;
    FImage.OnPixelGraphicProgress = [this, progress](TPixelGraphic&, int step, int max,
                                                     bool& abort) {
      if (progress(step, max)) {
        abort = true;
        FAborted = true;
      }
    };
  }
  ~TProgressHook() { FImage.OnPixelGraphicProgress = FSaved; }
  bool Aborted() const { return FAborted; }

 private:
  TPixelGraphic& FImage;
  TPixelGraphic::TPGProgressEvent FSaved;
  bool FAborted = false;
};

}  // namespace

const char* FastEffectName(TFastEffect effect) {
  switch (effect) {
    case TFastEffect::Emboss: return "Emboss";
    case TFastEffect::Fisheye: return "Fisheye";
    default: return "Swirl";
  }
}

TPixelGraphic* TPictureEditor::PictureForChange() {
  TPixelGraphic* picture = FTarget.Picture();
  return picture && !picture->Empty() ? picture : nullptr;
}

TEditOutcome TPictureEditor::InPlace(const std::string& name,
                                     const std::function<void(TPixelGraphic&)>& change) {
  TPixelGraphic* picture = PictureForChange();
  if (!picture) return TEditOutcome::Nothing;
  FUndo.Prepare(*picture, name);
  change(*picture);
  return TEditOutcome::Done;
}

TEditOutcome TPictureEditor::ByResult(
    const std::string& name,
    const std::function<std::unique_ptr<TPixelGraphic>(const TPixelGraphic&)>& build) {
  TPixelGraphic* picture = PictureForChange();
  if (!picture) return TEditOutcome::Nothing;
  FUndo.Prepare(*picture, name);
  auto result = build(*picture);
  if (!result) return TEditOutcome::Aborted;
  FTarget.Take(std::move(result));
  return TEditOutcome::Done;
}

TEditOutcome TPictureEditor::Rotate(double clockwiseDegrees) {
  return ByResult(editnames::kRotate, [clockwiseDegrees](const TPixelGraphic& source) {
    return RotatedPicture(source, clockwiseDegrees);
  });
}

TEditOutcome TPictureEditor::TurnUpright(int orientation) {
  if (orientation < 2 || orientation > 8) return TEditOutcome::Nothing;
  return InPlace(editnames::kRotate, [orientation](TPixelGraphic& p) { ApplyOrientation(p, orientation); });
}

TEditOutcome TPictureEditor::FlipHorizontal() {
  return InPlace(editnames::kFlipHorizontal, [](TPixelGraphic& p) { p.FlipHorizontal(); });
}

TEditOutcome TPictureEditor::FlipVertical() {
  return InPlace(editnames::kFlipVertical, [](TPixelGraphic& p) { p.FlipVertical(); });
}

TCropOutcome TPictureEditor::Crop(bool hasSelection, const TEditRect& selection) {
  if (!hasSelection) return TCropOutcome::NoSelection;
  TPixelGraphic* picture = PictureForChange();
  if (!picture) return TCropOutcome::NoPicture;
  const TEditRect area = IntersectWithPicture(selection, picture->Width(), picture->Height());
  if (area.IsEmpty()) return TCropOutcome::Outside;
  ByResult(editnames::kCrop,
           [&area](const TPixelGraphic& source) { return CropPicture(source, area); });
  return TCropOutcome::Done;
}

TEditOutcome TPictureEditor::Border(bool elliptic, int width, TRGB color) {
  return ByResult(editnames::kBorder, [=](const TPixelGraphic& source) {
    return BorderedPicture(source, elliptic, width, color);
  });
}

TEditOutcome TPictureEditor::Bevel() { return ByResult(editnames::kBevel, BevelledPicture); }

TEditOutcome TPictureEditor::ColorResolution(const TColorRezChoice& choice,
                                             const TEditProgress& progress) {
  return ByResult(editnames::kColorResolution,
                  [&](const TPixelGraphic& source) -> std::unique_ptr<TPixelGraphic> {
                    try {
                      return ColorResolutionPicture(source, choice, progress);
                    } catch (const std::exception&) {
                      return nullptr;  // discarded without a message
                    }
                  });
}

TEditOutcome TPictureEditor::Resize(int width, int height) {
  return ByResult(editnames::kResize, [=](const TPixelGraphic& source) {
    return ResizedPicture(source, width, height);
  });
}

TEditOutcome TPictureEditor::FastEffect(TFastEffect effect) {
  return InPlace(FastEffectName(effect), [effect](TPixelGraphic& p) { ApplyFastEffect(p, effect); });
}

TEditOutcome TPictureEditor::Pencil(const TEditProgress& progress) {
  return ByResult(editnames::kPencil,
                  [&](const TPixelGraphic& source) -> std::unique_ptr<TPixelGraphic> {
                    auto result = std::make_unique<TPixelGraphic>();
                    result->SetSize(source.Width(), source.Height(), pf24Bit);
                    TProgressHook hook(*result, progress);
                    PencilDrawing(*result, source);
                    if (hook.Aborted()) return nullptr;
                    return result;
                  });
}

TEditOutcome TPictureEditor::Posterize() {
  return ByResult(editnames::kPosterize, PosterizedPicture);
}

TEditOutcome TPictureEditor::PointFilter(const std::string& name, TPGFilter& filter,
                                         const TEditProgress& progress) {
  bool aborted = false;
  const TEditOutcome outcome = InPlace(name, [&](TPixelGraphic& p) {
    TProgressHook hook(p, progress);
    ApplyFilter(p, filter, p);
    aborted = hook.Aborted();
  });
  return outcome == TEditOutcome::Done && aborted ? TEditOutcome::Aborted : outcome;
}

TEditOutcome TPictureEditor::Convolution(const std::string& name, TPGFilter& filter,
                                         const TEditProgress& progress) {
  return ByResult(name, [&](const TPixelGraphic& source) -> std::unique_ptr<TPixelGraphic> {
    auto result = std::make_unique<TPixelGraphic>();
    TProgressHook hook(*result, progress);
    ApplyFilter(*result, filter, source);
    if (hook.Aborted()) return nullptr;
    return result;
  });
}

TEditOutcome TPictureEditor::Effect(int tag, int amount, std::uint64_t seed) {
  if (EffectName(tag).empty()) return TEditOutcome::Nothing;
  return InPlace(EffectName(tag),
                 [=](TPixelGraphic& p) { ApplyEffectToImage(p, tag, amount, seed); });
}

bool TPictureEditor::UndoLast() {
  if (!FUndo.Enabled()) return false;
  FTarget.Take(FUndo.Take());
  return true;
}

int TProgressClock::Report(int step, int total, long long nowMs) {
  if (total <= 0 || nowMs - FLast <= kIntervalMs) return -1;
  FLast = nowMs;
  return static_cast<int>(static_cast<long long>(step) * 100 / total);
}
