#include "view/TileLayout.h"

#include <algorithm>

namespace {

long long CeilDiv(long long a, long long b) { return a / b + (a % b > 0 ? 1 : 0); }

bool Odd(long long v) { return (v % 2) != 0; }

}  // namespace

std::vector<TTile> LayoutTiles(TTiling tiling, bool flipH, bool flipV, const TTileRect& r,
                               int clientWidth, int clientHeight, const TTileRect& clip) {
  const long long th = r.Bottom - r.Top, tw = r.Right - r.Left;
  long long r0 = 0, r1 = 0, c0 = 0, c1 = 0;
  if (tiling != tNone && th >= 1 && tw >= 1) {
    if (r.Top > 0) r0 = -CeilDiv(r.Top, th);
    if (clientHeight > r.Bottom) r1 = CeilDiv(clientHeight - r.Bottom, th);
    if (r.Left > 0) c0 = -CeilDiv(r.Left, tw);
    if (clientWidth > r.Right) c1 = CeilDiv(clientWidth - r.Right, tw);
  }
  const bool mirrorColumns = tiling == tMirrorHorizontal || tiling == tMirror;
  const bool mirrorRows = tiling == tMirrorVertical || tiling == tMirror;
  std::vector<TTile> tiles;
  if (tiling != tNone && th >= 1 && tw >= 1) {
    // Only the rows and columns that can touch the clip rectangle.
    auto floorDiv = [](long long a, long long b) { return a / b - ((a % b) < 0 ? 1 : 0); };
    r0 = std::max(r0, floorDiv(clip.Top - r.Bottom, th));
    r1 = std::min(r1, floorDiv(clip.Bottom - r.Top, th) + 1);
    c0 = std::max(c0, floorDiv(clip.Left - r.Right, tw));
    c1 = std::min(c1, floorDiv(clip.Right - r.Left, tw) + 1);
  }
  for (long long row = r0; row <= r1; ++row)
    for (long long col = c0; col <= c1; ++col) {
      const TTileRect t{r.Left + col * tw, r.Top + row * th, r.Right + col * tw,
                        r.Bottom + row * th};
      // Edges count as touching.
      if (t.Right < clip.Left || t.Left > clip.Right || t.Bottom < clip.Top || t.Top > clip.Bottom)
        continue;
      tiles.push_back({static_cast<int>(row), static_cast<int>(col), t,
                       flipH != (Odd(col) && mirrorColumns), flipV != (Odd(row) && mirrorRows)});
    }
  return tiles;
}
