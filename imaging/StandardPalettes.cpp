#include "imaging/StandardPalettes.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr std::array<TRGB, 16> kSys16 = {
    RGBColor(0, 0, 0),       RGBColor(128, 0, 0),   RGBColor(0, 128, 0),
    RGBColor(128, 128, 0),   RGBColor(0, 0, 128),   RGBColor(128, 0, 128),
    RGBColor(0, 128, 128),   RGBColor(192, 192, 192), RGBColor(128, 128, 128),
    RGBColor(255, 0, 0),     RGBColor(0, 255, 0),   RGBColor(255, 255, 0),
    RGBColor(0, 0, 255),     RGBColor(255, 0, 255), RGBColor(0, 255, 255),
    RGBColor(255, 255, 255)};

// Entries 125..251 of the 252-colour palette, as (R, G, B).
constexpr unsigned char kSpecial252Tail[127][3] = {
    {32, 32, 32},    {96, 96, 96},    {160, 160, 160}, {224, 224, 224}, {255, 224, 255},
    {224, 224, 255}, {224, 255, 255}, {224, 255, 224}, {255, 255, 224}, {255, 224, 224},
    {255, 192, 224}, {224, 192, 255}, {192, 224, 255}, {192, 255, 224}, {224, 255, 192},
    {255, 224, 192}, {224, 192, 224}, {192, 192, 224}, {192, 224, 224}, {192, 224, 192},
    {224, 224, 192}, {224, 192, 192}, {255, 160, 192}, {255, 160, 224}, {255, 160, 255},
    {224, 160, 255}, {192, 160, 255}, {160, 160, 255}, {160, 192, 255}, {160, 224, 255},
    {160, 255, 255}, {160, 255, 224}, {160, 255, 192}, {160, 255, 160}, {192, 255, 160},
    {224, 255, 160}, {255, 255, 160}, {255, 224, 160}, {255, 192, 160}, {255, 160, 160},
    {224, 160, 192}, {224, 160, 224}, {192, 160, 224}, {160, 160, 224}, {160, 192, 224},
    {160, 224, 224}, {160, 224, 192}, {160, 224, 160}, {192, 224, 160}, {224, 224, 160},
    {224, 192, 160}, {224, 160, 160}, {255, 128, 160}, {255, 128, 224}, {224, 128, 255},
    {160, 128, 255}, {128, 160, 255}, {128, 224, 255}, {128, 255, 224}, {128, 255, 160},
    {160, 255, 128}, {224, 255, 128}, {255, 224, 128}, {255, 160, 128}, {192, 160, 192},
    {160, 160, 192}, {160, 192, 192}, {160, 192, 160}, {192, 192, 160}, {192, 160, 160},
    {224, 128, 160}, {224, 128, 192}, {224, 128, 224}, {192, 128, 224}, {160, 128, 224},
    {128, 128, 224}, {128, 160, 224}, {128, 192, 224}, {128, 224, 224}, {128, 224, 192},
    {128, 224, 160}, {128, 224, 128}, {160, 224, 128}, {192, 224, 128}, {224, 224, 128},
    {224, 192, 128}, {224, 160, 128}, {224, 128, 128}, {255, 96, 128},  {255, 96, 160},
    {255, 96, 192},  {255, 96, 224},  {255, 96, 255},  {224, 96, 255},  {192, 96, 255},
    {160, 96, 255},  {128, 96, 255},  {96, 96, 255},   {96, 128, 255},  {96, 160, 255},
    {96, 192, 255},  {96, 224, 255},  {96, 255, 255},  {96, 255, 224},  {96, 255, 192},
    {96, 255, 160},  {96, 255, 128},  {96, 255, 96},   {128, 255, 96},  {160, 255, 96},
    {192, 255, 96},  {224, 255, 96},  {255, 255, 96},  {255, 224, 96},  {255, 192, 96},
    {255, 160, 96},  {255, 128, 96},  {255, 96, 96},   {192, 128, 160}, {160, 128, 192},
    {128, 160, 192}, {128, 192, 160}, {160, 192, 128}, {192, 160, 128}, {224, 96, 128},
    {224, 96, 160},  {224, 96, 192}};

TRGB Grey(int v) { return RGBColor(v, v, v); }

struct Tables {
  std::vector<TRGB> blackWhite, sysGray4, gray4, gray16, gray236, gray256, special125,
      special216, special252;

  Tables() {
    blackWhite = {Grey(0), Grey(255)};
    sysGray4 = {Grey(0), Grey(128), Grey(192), Grey(255)};
    for (int i = 0; i < 4; ++i) gray4.push_back(Grey(i * 255 / 3));
    for (int i = 0; i < 16; ++i) gray16.push_back(Grey(i * 255 / 15));
    // 255 * i / 235 never lies halfway between two integers.
    for (int i = 0; i < 236; ++i) gray236.push_back(Grey((255 * i * 2 + 235) / (2 * 235)));
    for (int i = 0; i < 256; ++i) gray256.push_back(Grey(i));
    const int level5[5] = {0, 64, 128, 192, 255};
    for (int r = 0; r < 5; ++r)
      for (int g = 0; g < 5; ++g)
        for (int b = 0; b < 5; ++b) special125.push_back(RGBColor(level5[r], level5[g], level5[b]));
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) special216.push_back(RGBColor(51 * r, 51 * g, 51 * b));
    special252.assign(kSys16.begin(), kSys16.end());
    for (TRGB c : special125) {
      bool system = false;
      for (TRGB s : kSys16) system = system || s == c;
      if (!system) special252.push_back(c);
    }
    for (const auto& e : kSpecial252Tail) special252.push_back(RGBColor(e[0], e[1], e[2]));
  }
};

const Tables& tables() {
  static const Tables t;
  return t;
}

}  // namespace

std::span<const TRGB> SystemColors16() { return kSys16; }

std::span<const TRGB> StandardPalette(TPaletteIdent ident) {
  const Tables& t = tables();
  switch (ident) {
    case pBlackWhite: return t.blackWhite;
    case pSysGray4: return t.sysGray4;
    case pSys16: return kSys16;
    case pGray4: return t.gray4;
    case pGray16: return t.gray16;
    case pGray236: return t.gray236;
    case pGray256: return t.gray256;
    case pSpecial125: return t.special125;
    case pSpecial216: return t.special216;
    case pSpecial252: return t.special252;
    default: return {};
  }
}
