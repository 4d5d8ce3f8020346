// The editor's picture operations as plain functions: each builds a new picture from a source
// (or changes one in place) exactly as the editor's command does, without undo or a window.
#pragma once

#include <memory>

#include "imaging/PGraphic.h"
#include "imaging/filters/ApplyFilter.h"

// Rotation by `clockwiseDegrees`, enlarged to hold the whole turned picture; palette pictures
// keep their format and colours.
std::unique_ptr<TPixelGraphic> RotatedPicture(const TPixelGraphic& source, double clockwiseDegrees);

// The source with a border of `borderWidth` pixels in `color`, rectangular or elliptic.
std::unique_ptr<TPixelGraphic> BorderedPicture(const TPixelGraphic& source, bool elliptic,
                                               int borderWidth, TRGB color);

// A 24-bit copy with the 3D bevel of 3 % of the width.
std::unique_ptr<TPixelGraphic> BevelledPicture(const TPixelGraphic& source);

// The source resampled to width x height in 24 bits (precise quality).
std::unique_ptr<TPixelGraphic> ResizedPicture(const TPixelGraphic& source, int width, int height);

// The pencil drawing and the 8-colour posterized picture.
std::unique_ptr<TPixelGraphic> PencilPicture(const TPixelGraphic& source,
                                             const TPGFilterOptions& options = {});
std::unique_ptr<TPixelGraphic> PosterizedPicture(const TPixelGraphic& source);

// The fast effects without a dialog.
enum class TFastEffect { Emboss, Fisheye, Swirl };
// The picture becomes a 24-bit picture holding the effect (in place).
void ApplyFastEffect(TPixelGraphic& picture, TFastEffect effect);
