// The fixed palettes named by TPaletteIdent.
#pragma once

#include <span>

#include "imaging/PGTypes.h"

// Entries of the standard palette `ident` (pBlackWhite .. pSpecial252); empty for any other.
std::span<const TRGB> StandardPalette(TPaletteIdent ident);

// The 16 system colours in their order.
std::span<const TRGB> SystemColors16();
