// Optimised palettes: median cut over a 32x64x32 histogram for true-colour sources, an octree
// over the used palette entries for palette sources.
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "imaging/PGraphic.h"
#include "imaging/StandardPalettes.h"

namespace {

// ---- median cut ------------------------------------------------------------------------------

struct Histogram {
  std::vector<std::uint16_t> counts = std::vector<std::uint16_t>(32 * 64 * 32, 0);
  std::uint16_t& at(int r, int g, int b) {
    return counts[static_cast<std::size_t>(r * 2048 + g * 32 + b)];
  }
  std::uint16_t at(int r, int g, int b) const {
    return counts[static_cast<std::size_t>(r * 2048 + g * 32 + b)];
  }
};

struct Box {
  int rmin = 0, rmax = 31, gmin = 0, gmax = 63, bmin = 0, bmax = 31;
  std::int64_t volume = 0;
  std::int64_t cellCount = 0;
};

bool PlaneHasCounts(const Histogram& h, const Box& box, int axis, int value) {
  for (int r = box.rmin; r <= box.rmax; ++r) {
    if (axis == 0 && r != value) continue;
    for (int g = box.gmin; g <= box.gmax; ++g) {
      if (axis == 1 && g != value) continue;
      if (axis == 2) {
        if (h.at(r, g, value)) return true;
      } else {
        for (int b = box.bmin; b <= box.bmax; ++b)
          if (h.at(r, g, b)) return true;
      }
    }
  }
  return false;
}

// Shrinks the bounds onto the occupied cells and recomputes volume and cell count.
void UpdateBox(const Histogram& h, Box& box) {
  while (box.bmin < box.bmax && !PlaneHasCounts(h, box, 2, box.bmin)) ++box.bmin;
  while (box.bmin < box.bmax && !PlaneHasCounts(h, box, 2, box.bmax)) --box.bmax;
  while (box.gmin < box.gmax && !PlaneHasCounts(h, box, 1, box.gmin)) ++box.gmin;
  while (box.gmin < box.gmax && !PlaneHasCounts(h, box, 1, box.gmax)) --box.gmax;
  while (box.rmin < box.rmax && !PlaneHasCounts(h, box, 0, box.rmin)) ++box.rmin;
  while (box.rmin < box.rmax && !PlaneHasCounts(h, box, 0, box.rmax)) --box.rmax;
  const std::int64_t dr = (box.rmax - box.rmin) * 16, dg = (box.gmax - box.gmin) * 12,
                     db = (box.bmax - box.bmin) * 16;
  box.volume = dr * dr + dg * dg + db * db;
  box.cellCount = std::int64_t{box.rmax - box.rmin + 1} * (box.gmax - box.gmin + 1) *
                  (box.bmax - box.bmin + 1);
}

void SplitBox(const Histogram& h, std::vector<Box>& boxes, std::size_t which) {
  Box& box = boxes[which];
  const int lr = (box.rmax - box.rmin) * 16, lg = (box.gmax - box.gmin) * 12,
            lb = (box.bmax - box.bmin) * 16;
  Box added = box;
  if (lr < lb && lg < lb) {
    const int m = (box.bmin + box.bmax) / 2;
    box.bmax = m;
    added.bmin = m + 1;
  } else if (lr > lg) {
    const int m = (box.rmin + box.rmax) / 2;
    box.rmax = m;
    added.rmin = m + 1;
  } else {
    const int m = (box.gmin + box.gmax) / 2;
    box.gmax = m;
    added.gmin = m + 1;
  }
  UpdateBox(h, box);
  UpdateBox(h, added);
  boxes.push_back(added);
}

std::vector<TRGB> MedianCut(const Histogram& h, int wanted) {
  std::vector<Box> boxes(1);
  UpdateBox(h, boxes[0]);
  while (static_cast<int>(boxes.size()) < wanted) {
    const bool byVolume = wanted < 2 * static_cast<int>(boxes.size());
    std::size_t pick = boxes.size();
    std::int64_t best = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].volume <= 0) continue;
      const std::int64_t key = byVolume ? boxes[i].volume : boxes[i].cellCount;
      if (key > best) {
        best = key;
        pick = i;
      }
    }
    if (pick == boxes.size()) break;
    SplitBox(h, boxes, pick);
  }
  std::vector<TRGB> palette;
  palette.reserve(boxes.size());
  for (const Box& box : boxes) {
    std::uint64_t total = 0, sr = 0, sg = 0, sb = 0;
    for (int r = box.rmin; r <= box.rmax; ++r)
      for (int g = box.gmin; g <= box.gmax; ++g)
        for (int b = box.bmin; b <= box.bmax; ++b) {
          const std::uint64_t n = h.at(r, g, b);
          total += n;
          sr += n * static_cast<std::uint64_t>(8 * r + 4);
          sg += n * static_cast<std::uint64_t>(4 * g + 2);
          sb += n * static_cast<std::uint64_t>(8 * b + 4);
        }
    if (total == 0) {  // only when the histogram is empty
      palette.push_back(RGBColor(8 * box.rmin + 4, 4 * box.gmin + 2, 8 * box.bmin + 4));
      continue;
    }
    palette.push_back(RGBColor(static_cast<int>((sr + total / 2) / total),
                               static_cast<int>((sg + total / 2) / total),
                               static_cast<int>((sb + total / 2) / total)));
  }
  return palette;
}

// ---- octree ----------------------------------------------------------------------------------

struct OctreeNode {
  int depth = 0;
  bool leaf = false;
  bool listed = false;
  std::uint64_t count = 0, sr = 0, sg = 0, sb = 0;
  int childCount = 0;
  std::array<std::unique_ptr<OctreeNode>, 8> children;
};

class Octree {
 public:
  explicit Octree(int maxLeaves) : FMaxLeaves(maxLeaves) { FRoot = NewNode(0); }

  void Insert(TRGB color, std::uint64_t n) {
    const int r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
    OctreeNode* node = FRoot.get();
    for (;;) {
      node->count += n;
      node->sr += n * static_cast<std::uint64_t>(r);
      node->sg += n * static_cast<std::uint64_t>(g);
      node->sb += n * static_cast<std::uint64_t>(b);
      if (node->leaf) break;
      const int d = node->depth;
      const int bit = 7 - d;
      const int child = 4 * ((r >> bit) & 1) + 2 * ((g >> bit) & 1) + ((b >> bit) & 1);
      auto& slot = node->children[static_cast<std::size_t>(child)];
      if (!slot) {
        slot = NewNode(d + 1);
        ++node->childCount;
      } else if (node->childCount > 1 && !node->listed) {
        node->listed = true;
        FReducible[static_cast<std::size_t>(d)].insert(
            FReducible[static_cast<std::size_t>(d)].begin(), node);
      }
      node = slot.get();
    }
    while (FLeaves > FMaxLeaves && Reduce()) {
    }
  }

  std::vector<TRGB> Palette() const {
    std::vector<TRGB> out;
    Collect(FRoot.get(), out);
    return out;
  }

 private:
  static std::uint64_t Weight(const OctreeNode* n) { return 2 * n->sr + 3 * n->sg + n->sb; }

  std::unique_ptr<OctreeNode> NewNode(int depth) {
    auto node = std::make_unique<OctreeNode>();
    node->depth = depth;
    if (depth >= FDepthLimit) {
      node->leaf = true;
      ++FLeaves;
    }
    return node;
  }

  bool Reduce() {
    OctreeNode* pick = nullptr;
    for (int d = std::min(FDepthLimit, 8) - 1; d >= 0 && !pick; --d) {
      auto& list = FReducible[static_cast<std::size_t>(d)];
      for (OctreeNode* n : list)
        if (!pick || Weight(n) < Weight(pick)) pick = n;
    }
    // Nothing listed (colours that only ever created new children): reduce the deepest
    // node with more than one child instead, so the leaf count always falls.
    if (!pick) pick = DeepestBranch(FRoot.get());
    if (!pick) return false;
    Unlist(pick);
    DeleteChildren(pick);
    pick->leaf = true;
    ++FLeaves;
    if (pick->depth < FDepthLimit - 1) FDepthLimit = pick->depth + 1;
    return true;
  }

  OctreeNode* DeepestBranch(OctreeNode* node) {
    if (!node || node->leaf) return nullptr;
    OctreeNode* best = node->childCount > 1 ? node : nullptr;
    for (auto& c : node->children) {
      OctreeNode* found = DeepestBranch(c.get());
      if (found && !best) {
        best = found;
        continue;
      }
      if (found && (found->depth > best->depth ||
                    (found->depth == best->depth && Weight(found) < Weight(best))))
        best = found;
    }
    return best;
  }

  void Unlist(OctreeNode* node) {
    if (!node->listed) return;
    auto& list = FReducible[static_cast<std::size_t>(node->depth)];
    list.erase(std::find(list.begin(), list.end(), node));
    node->listed = false;
  }

  void DeleteChildren(OctreeNode* node) {
    for (auto& c : node->children) {
      if (!c) continue;
      DeleteChildren(c.get());
      Unlist(c.get());
      if (c->leaf) --FLeaves;
      c.reset();
    }
    node->childCount = 0;
  }

  static void Collect(const OctreeNode* node, std::vector<TRGB>& out) {
    if (!node) return;
    if (node->leaf) {
      if (node->count > 0)
        out.push_back(RGBColor(static_cast<int>(node->sr / node->count),
                               static_cast<int>(node->sg / node->count),
                               static_cast<int>(node->sb / node->count)));
      return;
    }
    for (const auto& c : node->children) Collect(c.get(), out);
  }

  int FMaxLeaves;
  int FDepthLimit = 8;
  int FLeaves = 0;
  std::unique_ptr<OctreeNode> FRoot;
  std::array<std::vector<OctreeNode*>, 8> FReducible;
};

void SetPaletteEntries(TPixelGraphic& target, const std::vector<TRGB>& entries) {
  target.SetPaletteCount(static_cast<int>(entries.size()));
  for (std::size_t i = 0; i < entries.size(); ++i)
    target.SetPaletteColor(static_cast<int>(i), entries[i]);
}

}  // namespace

void MakeOptimizedPalette(TPixelGraphic& target, const TPixelGraphic& source, int colors,
                          bool withSystemColors) {
  target.FlushDrawing();
  const int wanted = withSystemColors ? colors - 16 : colors;
  const auto system = SystemColors16();
  if (source.Empty() || wanted < 1) {
    const int n = std::clamp(colors, 0, 16);
    target.SetPaletteCount(0);
    if (n == 16) {
      target.SetPaletteIdent(pSys16);
    } else {
      SetPaletteEntries(target, std::vector<TRGB>(system.begin(), system.begin() + n));
    }
    return;
  }
  target.SetPaletteCount(0);

  const int height = source.Height(), width = source.Width();
  std::vector<TRGB> entries;
  if (source.PixelFormat() == pf24Bit) {
    Histogram h;
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* p = source.ScanLine(y);
      for (int x = 0; x < width; ++x, p += 3) {
        std::uint16_t& cell = h.at(p[2] >> 3, p[1] >> 2, p[0] >> 3);
        if (cell < 65535) ++cell;
      }
      if (target.Progress(y, height - 1)) break;
    }
    entries = MedianCut(h, wanted);
  } else {
    std::array<std::uint64_t, 256> counts{};
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) ++counts[source.Pixel(x, y) & 0xFF];
      if (target.Progress(y, height - 1)) break;
    }
    Octree tree(wanted);
    for (int i = 0; i < 256; ++i) {
      if (counts[static_cast<std::size_t>(i)] == 0) continue;
      // Values beyond the palette show as its first entry.
      const TRGB color = source.PaletteIdent() == pTrueColor ? static_cast<TRGB>(i)
                         : i < source.PaletteCount()        ? source.PaletteColor(i)
                         : source.PaletteCount() > 0        ? source.PaletteColor(0)
                                                            : 0;
      tree.Insert(color, counts[static_cast<std::size_t>(i)]);
    }
    entries = tree.Palette();
  }
  if (withSystemColors)
    for (std::size_t k = 0; k < system.size() && static_cast<int>(entries.size()) < colors; ++k)
      entries.push_back(system[k]);
  SetPaletteEntries(target, entries);
}
