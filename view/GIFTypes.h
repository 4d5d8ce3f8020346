// Data of a parsed animated GIF, shared by the parser, the composer and the control.
// Plain C++: nothing here depends on Qt.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum TGIFVersion { gvGIF87a, gvGIF89a };

// Colours as 0xAARRGGBB with the alpha byte set, ready for 32-bit display images.
using TGIFColor = std::uint32_t;
using TGIFPalette = std::array<TGIFColor, 256>;

inline constexpr TGIFColor GIFOpaqueBlack = 0xFF000000u;
inline constexpr int GIFMaxFrames = 256;

// Bytes the control holds per pixel of the logical screen besides the frames: the composite
// (4) and its mask (1), the area saved for a restore-previous frame (4 + 1) and the 32-bit
// display copy (4).
inline constexpr std::uint64_t GIFCanvasBytesPerPixel = 14;

// Bounds that keep a small hostile file from asking for gigabytes. Areas are in pixels.
struct TGIFLimits {
  std::uint64_t MaxScreenArea = std::uint64_t{1} << 25;  // logical screen, also bounds a frame
  // Every decoded frame (each at most the logical screen: frames are clipped to it) plus the
  // canvas of the logical screen; a file that needs more is refused.
  std::uint64_t MaxTotalBytes = std::uint64_t{384} << 20;
};

struct TGIFRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int Right() const { return Left + Width; }
  int Bottom() const { return Top + Height; }
  bool Empty() const { return Width <= 0 || Height <= 0; }
  friend bool operator==(const TGIFRect&, const TGIFRect&) = default;
};

// One image of the file. The pixels kept are the part of the frame lying on the logical
// screen (Clip); pixels outside it are decoded and dropped.
struct TGIFFrame {
  // From the image descriptor (16-bit unsigned values).
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int Bits = 0;  // local colour-table size field + 1; 0 when the global table is used
  bool Interlaced = false;
  int Disposal = 0;  // 0 none, 1 leave, 2 restore background, 3 restore previous
  int Delay = 0;     // milliseconds
  bool Transparent = false;
  int TransparentIndex = 0;
  int MinCodeSize = 0;
  TGIFPalette Palette{};  // entries beyond the table read are opaque black
  int ColorCount = 0;     // entries the frame's colour table declares
  std::string Comment;

  TGIFRect Clip;                      // in screen coordinates, inside the logical screen
  std::vector<std::uint8_t> Pixels;   // Clip.Width x Clip.Height indexes, top row first
  // Pixels of the whole frame that the data reached, counted in decoding order (interlace
  // order for interlaced frames). Pixels the data never reached count as transparent.
  std::uint64_t DecodedPixels = 0;

  std::uint64_t PixelCount() const {
    return std::uint64_t(Width) * std::uint64_t(Height);
  }
  bool Complete() const { return DecodedPixels >= PixelCount(); }
  // True when some pixel lets what lies beneath show through.
  bool HasTransparency() const { return Transparent || !Complete(); }
  // How many pixels of frame row y (0-based, frame coordinates) were decoded, from the left.
  int DecodedInRow(int y) const;
};

// Position of frame row y among the rows in decoding order.
int GIFRowSequence(int y, int height, bool interlaced);
