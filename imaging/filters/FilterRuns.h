// The run functions of the filter catalogue (internal to FilterCatalog.cpp and FilterRuns.cpp).
#pragma once

#include "imaging/filters/FilterCatalog.h"

namespace filterruns {

using TArgs = TFilterArgs;
using TOpts = TPGFilterOptions;

void Negative(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void GrayScale(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void BCG(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void RGB(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void CMY(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void YCbCr(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void HLS(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void HSV(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Smooth(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Sharpen(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Detail(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Contour(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Blur(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Emboss(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Fisheye(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Swirl(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Spray(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void MonoNoise(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void ColorNoise(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Mosaic(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Bevel(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Pencil(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);
void Posterize(const TArgs&, TPixelGraphic&, std::uint64_t, const TOpts&);

}  // namespace filterruns
