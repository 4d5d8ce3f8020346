// Embedded colour profiles: found in JPEG (APP2 "ICC_PROFILE" segments), PNG (iCCP) and TIFF
// (tag 34675) files, and the pixels of a loaded picture converted from the profile to sRGB
// with Little CMS. The file itself is only read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/PGraphic.h"

using TColorProfile = std::vector<std::uint8_t>;

// Profiles larger than this are taken as damaged and ignored.
constexpr std::size_t kMaxColorProfileBytes = std::size_t{16} << 20;

// The profile embedded in a JPEG, PNG or TIFF file (recognised by its first bytes); empty when
// there is none or it cannot be read. Never raises.
TColorProfile ReadColorProfile(const std::string& fileName);

// Converts the picture's colours (the palette of a palette picture) from `profile` to sRGB.
// False, and the picture untouched, when the profile cannot be used for it (damaged, or for
// another colour space than RGB or grey).
bool ConvertToSRGB(TPixelGraphic& image, const TColorProfile& profile);
