// The two builders of a filter dialog's live preview: the reduced 24-bit source made once per
// window, and the filtered result made after every pause of the sliders. Both are plain
// functions checking a cooperative stop flag; the window runs them on background jobs.
#pragma once

#include <atomic>
#include <memory>

#include "imaging/PGraphic.h"
#include "imaging/filters/Filter.h"

// The image resampled (precise quality) into a new 24-bit picture of w x h; an empty
// picture for an empty image. nullptr when stopped.
std::unique_ptr<TPixelGraphic> BuildFilterPreviewSource(const TPixelGraphic& image, int w, int h,
                                                        const std::atomic<bool>& stop);

// A new 24-bit picture holding the filter applied to the source; nullptr when stopped.
std::unique_ptr<TPixelGraphic> BuildFilterPreviewResult(const TPixelGraphic& source,
                                                        TPGFilter& filter,
                                                        const std::atomic<bool>& stop);
