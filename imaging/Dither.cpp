// Floyd-Steinberg error diffusion with serpentine scanning and a clamped error.
#include <algorithm>

#include "imaging/DitherMath.h"
#include "imaging/DitherState.h"
#include "imaging/PGraphic.h"

namespace {

int ErrorLimitFor(TPaletteIdent ident) {
  switch (ident) {
    case pBlackWhite: return 255;
    case pSysGray4:
    case pSys16:
    case pGray4: return 128;
    case pGray236: return 3;
    case pGray256: return 2;
    case pSpecial125:
    case pSpecial252: return 104;
    case pSpecial216: return 86;
    case pOptimized252Sys16:
    case pSource: return 0;
    default: return 32;
  }
}

int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

int RoundError(std::int32_t v) { return DitherRoundError(v); }

}  // namespace

std::array<int, 511> BuildDitherLimitTable(int limit, bool soft) {
  std::array<int, 256> t{};
  for (int e = 0; e < 256; ++e) t[e] = (limit != 255 && e >= limit) ? limit : e;
  if (soft)
    for (int e = limit / 2; e <= (3 * limit) / 2 && e < 255; ++e) t[e] = e / 2 + limit / 4;
  std::array<int, 511> table{};
  for (int e = 0; e < 256; ++e) {
    table[static_cast<std::size_t>(255 + e)] = t[e];
    table[static_cast<std::size_t>(255 - e)] = -t[e];
  }
  return table;
}

void TPixelGraphic::BeginDither() {
  FDither.reset();
  auto state = std::make_unique<DitherState>();
  const std::size_t cells = static_cast<std::size_t>(FWidth) + 2;
  state->cur.assign(cells, DitherState::Cell{0, 0, 0});
  state->nxt.assign(cells, DitherState::Cell{0, 0, 0});
  FIsGray = FPixelFormat != pf24Bit &&
            std::all_of(FPalette.begin(), FPalette.end(), [](TRGB c) {
              return RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c);
            });

  int limit = DitherErrorLimit;
  bool soft = DitherErrorLimitSoft;
  if (DitherErrorLimitAuto) {
    limit = ErrorLimitFor(FPaletteIdent);
    soft = true;
  }
  state->limit = BuildDitherLimitTable(limit, soft);
  FDither = std::move(state);
}

void TPixelGraphic::EndDither() { FDither.reset(); }

void TPixelGraphic::NextDitherRow() {
  if (!FDither) return;
  std::swap(FDither->cur, FDither->nxt);
  std::fill(FDither->nxt.begin(), FDither->nxt.end(), DitherState::Cell{0, 0, 0});
}

void TPixelGraphic::SetPixelDithered(int x, int y, int r, int g, int b) {
  if (!FDither) BeginDither();
  if (x < 0 || x >= FWidth) return;
  DitherState& s = *FDither;
  const std::size_t cx = static_cast<std::size_t>(x) + 1;
  const std::size_t ahead = (y & 1) ? cx - 1 : cx + 1;
  const std::size_t behind = (y & 1) ? cx + 1 : cx - 1;

  if (FIsGray) {
    const int v = Clamp255(GrayValue(r, g, b) / 3 + s.Limit(RoundError(s.cur[cx].g)));
    const TRGB index = ColorToIndex(RGBColor(v, v, v));
    SetPixel(x, y, index);
    const int d = v - GreenOf(PaletteColor(static_cast<int>(index)));
    s.nxt[ahead].g += d;
    s.nxt[behind].g += 3 * d;
    s.nxt[cx].g += 5 * d;
    s.cur[ahead].g += 7 * d;
    return;
  }

  const int rv = Clamp255(r + s.Limit(RoundError(s.cur[cx].r)));
  const int gv = Clamp255(g + s.Limit(RoundError(s.cur[cx].g)));
  const int bv = Clamp255(b + s.Limit(RoundError(s.cur[cx].b)));
  const TRGB index = ColorToIndex(RGBColor(rv, gv, bv));
  SetPixel(x, y, index);
  const TRGB entry = PaletteColor(static_cast<int>(index));
  const int dr = rv - RedOf(entry), dg = gv - GreenOf(entry), db = bv - BlueOf(entry);
  s.nxt[ahead].r += dr;
  s.nxt[ahead].g += dg;
  s.nxt[ahead].b += db;
  s.nxt[behind].r += 3 * dr;
  s.nxt[behind].g += 3 * dg;
  s.nxt[behind].b += 3 * db;
  s.nxt[cx].r += 5 * dr;
  s.nxt[cx].g += 5 * dg;
  s.nxt[cx].b += 5 * db;
  s.cur[ahead].r += 7 * dr;
  s.cur[ahead].g += 7 * dg;
  s.cur[ahead].b += 7 * db;
}
