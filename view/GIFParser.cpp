#include "view/GIFParser.h"

#include <algorithm>
#include <cstring>

#include "view/GIFByteReader.h"
#include "view/GIFFrameWriter.h"
#include "view/GIFLzw.h"

std::uint64_t TGIFAnimation::FrameBytes() const {
  std::uint64_t bytes = 0;
  for (const TGIFFrame& f : Frames) bytes += f.Pixels.size() + sizeof(TGIFFrame) + f.Comment.size();
  return bytes;
}

namespace {

struct TPendingControl {
  bool Present = false;
  std::uint8_t Packed = 0;
  int Delay = 0;
  int TransparentIndex = 0;
};

// Reads a colour table of 2^bits entries; a table cut short by the end of the data keeps
// the entries read, the rest stay black.
void ReadColorTable(TGIFByteReader& reader, int bits, TGIFPalette& palette) {
  palette.fill(GIFOpaqueBlack);
  const int count = 1 << bits;
  for (int i = 0; i < count; ++i) {
    std::uint8_t rgb[3];
    if (!reader.Read(rgb, 3)) {
      reader.Skip(reader.Left());
      return;
    }
    palette[i] = GIFOpaqueBlack | (TGIFColor(rgb[0]) << 16) | (TGIFColor(rgb[1]) << 8) | rgb[2];
  }
}

class TParser {
 public:
  TParser(const std::uint8_t* data, std::size_t size, const TGIFParseOptions& options,
          TGIFAnimation& animation)
      : FReader(data, size), FOptions(options), FAnim(animation) {}

  TGIFParseResult Run();

 private:
  enum class TFrameOutcome { Added, Stop, Refused, TooLarge, Aborted };

  bool Progress() {
    if (!FOptions.Progress) return true;
    const std::uint64_t pos = FReader.Position(), total = FReader.Size();
    const int percent = total ? static_cast<int>(100 * pos / total) : 100;
    return FOptions.Progress(pos, total, percent);
  }
  void ReadGraphicControl();
  void ReadComment();
  void ReadApplication();
  TFrameOutcome ReadFrame();
  // Grows the logical screen to cover the rectangle while its area stays within the limit;
  // answers the screen afterwards.
  void GrowScreen(std::uint64_t right, std::uint64_t bottom);

  static TGIFParseResult Fail(TGIFParseStatus status, const char* text) {
    return {status, std::string("GIF: ") + text};
  }

  TGIFByteReader FReader;
  const TGIFParseOptions& FOptions;
  TGIFAnimation& FAnim;
  TPendingControl FControl;
  std::string FComment;
  std::uint64_t FTotalBytes = 0;
  std::string FTooLargeText;
};

TGIFParseResult TParser::Run() {
  std::uint8_t header[13];
  if (FReader.Size() < 3 || std::memcmp(FReader.Current(), "GIF", 3) != 0)
    return Fail(TGIFParseStatus::NotGIF, "the file is not a GIF file");
  if (!FReader.Read(header, sizeof header))
    return Fail(TGIFParseStatus::Truncated, "the file is truncated");
  FAnim.Version = header[4] == '9' ? gvGIF89a : gvGIF87a;
  FAnim.ScreenWidth = header[6] | (header[7] << 8);
  FAnim.ScreenHeight = header[8] | (header[9] << 8);
  const std::uint8_t packed = header[10];
  FAnim.BackgroundIndex = header[11];
  if (std::uint64_t(FAnim.ScreenWidth) * std::uint64_t(FAnim.ScreenHeight) >
      FOptions.Limits.MaxScreenArea)
    return Fail(TGIFParseStatus::TooLarge, "the logical screen is too large");
  FAnim.LogicalWidth = FAnim.ScreenWidth;
  FAnim.LogicalHeight = FAnim.ScreenHeight;
  FAnim.GlobalPalette.fill(GIFOpaqueBlack);
  if (packed & 0x80) {
    FAnim.GlobalBits = (packed & 7) + 1;
    ReadColorTable(FReader, FAnim.GlobalBits, FAnim.GlobalPalette);
  }

  bool trailer = false;
  while (!FReader.AtEnd()) {
    if (!Progress()) return Fail(TGIFParseStatus::Aborted, "loading was cancelled");
    std::uint8_t introducer = 0, label = 0;
    FReader.ReadByte(introducer);
    if (introducer == 0x3B) {
      trailer = true;
      break;
    }
    if (introducer == 0x21) {
      if (!FReader.ReadByte(label)) break;
      switch (label) {
        case 0xF9: ReadGraphicControl(); break;
        case 0xFE: ReadComment(); break;
        case 0xFF: ReadApplication(); break;
        default: FReader.SkipSubBlocks(); break;  // plain text and unknown extensions
      }
      continue;
    }
    if (introducer != 0x2C) continue;  // stray byte between blocks
    FReader.Back(1);
    if (FAnim.Frames.size() >= GIFMaxFrames) break;
    const TFrameOutcome outcome = ReadFrame();
    if (outcome == TFrameOutcome::Refused)
      return Fail(TGIFParseStatus::BadFrame, "an image has a width or height of 0");
    if (outcome == TFrameOutcome::Aborted)
      return Fail(TGIFParseStatus::Aborted, "loading was cancelled");
    if (outcome == TFrameOutcome::TooLarge) {
      FTooLargeText = "the animation needs more than " +
                      std::to_string(FOptions.Limits.MaxTotalBytes >> 20) + " MB of memory";
      return Fail(TGIFParseStatus::TooLarge, FTooLargeText.c_str());
    }
    if (outcome == TFrameOutcome::Stop) break;
    if (FOptions.FirstImageOnly) break;
  }
  if (FAnim.Frames.empty()) {
    if (!trailer && FReader.AtEnd())
      return Fail(TGIFParseStatus::Truncated, "the file holds no complete image");
    return Fail(TGIFParseStatus::NoImage, "the file holds no image");
  }
  for (const TGIFFrame& f : FAnim.Frames) {
    FAnim.AnyTransparent |= f.HasTransparency();
    FAnim.AnyInterlaced |= f.Interlaced;
  }
  return {};
}

void TParser::ReadGraphicControl() {
  std::uint8_t block[256];
  int length = 0;
  if (FReader.ReadSubBlock(block, length)) {
    if (length >= 4) {
      FControl.Present = true;
      FControl.Packed = block[0];
      FControl.Delay = block[1] | (block[2] << 8);
      FControl.TransparentIndex = block[3];
    }
    FReader.SkipSubBlocks();
  }
}

void TParser::ReadComment() {
  std::uint8_t block[256];
  int length = 0;
  FComment.clear();
  while (FReader.ReadSubBlock(block, length))
    FComment.append(reinterpret_cast<const char*>(block), std::size_t(length));
}

void TParser::ReadApplication() {
  std::uint8_t block[256];
  int length = 0;
  if (!FReader.ReadSubBlock(block, length)) return;
  if (length >= 11 && std::memcmp(block, "NETSCAPE2.0", 11) == 0) {
    if (!FReader.ReadSubBlock(block, length)) return;
    if (length >= 3) FAnim.LoopCount = block[1] | (block[2] << 8);
  }
  FReader.SkipSubBlocks();
}

void TParser::GrowScreen(std::uint64_t right, std::uint64_t bottom) {
  const std::uint64_t w = std::max<std::uint64_t>(FAnim.LogicalWidth, right);
  const std::uint64_t h = std::max<std::uint64_t>(FAnim.LogicalHeight, bottom);
  if (w * h > FOptions.Limits.MaxScreenArea) return;  // the frame is clipped instead
  FAnim.LogicalWidth = static_cast<int>(w);
  FAnim.LogicalHeight = static_cast<int>(h);
}

TParser::TFrameOutcome TParser::ReadFrame() {
  std::uint8_t d[10];
  if (!FReader.Read(d, sizeof d)) return TFrameOutcome::Stop;  // truncated descriptor
  TGIFFrame frame;
  frame.Left = d[1] | (d[2] << 8);
  frame.Top = d[3] | (d[4] << 8);
  frame.Width = d[5] | (d[6] << 8);
  frame.Height = d[7] | (d[8] << 8);
  const std::uint8_t packed = d[9];
  if (frame.Width == 0 || frame.Height == 0) return TFrameOutcome::Refused;

  if (packed & 0x80) {
    frame.Bits = (packed & 7) + 1;
    ReadColorTable(FReader, frame.Bits, frame.Palette);
    frame.ColorCount = 1 << frame.Bits;
  } else {
    frame.Palette = FAnim.GlobalPalette;
    frame.ColorCount = 1 << FAnim.GlobalBits;
  }
  frame.Interlaced = (packed & 0x40) != 0;
  if (FControl.Present) {
    const int method = (FControl.Packed >> 2) & 7;
    frame.Disposal = method == 0 || method == 1 || method == 3 ? method : 2;
    frame.Delay = FControl.Delay * 10;
    frame.Transparent = (FControl.Packed & 1) && FAnim.Version == gvGIF89a;
    frame.TransparentIndex = FControl.TransparentIndex;
  }
  FControl = {};
  frame.Comment = std::move(FComment);
  FComment.clear();

  GrowScreen(std::uint64_t(frame.Left) + frame.Width, std::uint64_t(frame.Top) + frame.Height);
  frame.Clip.Left = std::min(frame.Left, FAnim.LogicalWidth);
  frame.Clip.Top = std::min(frame.Top, FAnim.LogicalHeight);
  frame.Clip.Width = std::min(frame.Left + frame.Width, FAnim.LogicalWidth) - frame.Clip.Left;
  frame.Clip.Height = std::min(frame.Top + frame.Height, FAnim.LogicalHeight) - frame.Clip.Top;
  const std::uint64_t bytes = std::uint64_t(frame.Clip.Width) * std::uint64_t(frame.Clip.Height);
  const std::uint64_t canvas =
      std::uint64_t(FAnim.LogicalWidth) * std::uint64_t(FAnim.LogicalHeight) * GIFCanvasBytesPerPixel;
  if (FTotalBytes + bytes + canvas > FOptions.Limits.MaxTotalBytes) return TFrameOutcome::TooLarge;
  FTotalBytes += bytes;
  frame.Pixels.assign(bytes, 0);

  std::uint8_t minCodeSize = 0;
  if (FReader.ReadByte(minCodeSize)) {
    frame.MinCodeSize = minCodeSize;
    if (minCodeSize > GIFMaxMinCodeSize) {
      FReader.SkipSubBlocks();  // the tables cannot hold such codes: nothing is decoded
    } else {
      TGIFFrameWriter writer(frame, [this] { return Progress(); });
      GIFDecodeLzw(FReader, minCodeSize, writer);
      if (writer.Aborted()) return TFrameOutcome::Aborted;
    }
  }
  FAnim.GlobalBits = std::max(FAnim.GlobalBits, frame.Bits);
  FAnim.Frames.push_back(std::move(frame));
  return TFrameOutcome::Added;
}

}  // namespace

TGIFParseResult GIFParse(const std::uint8_t* data, std::size_t size,
                         const TGIFParseOptions& options, TGIFAnimation& animation) {
  animation = TGIFAnimation{};
  TParser parser(data, size, options, animation);
  TGIFParseResult result = parser.Run();
  if (!result.Ok()) animation = TGIFAnimation{};
  return result;
}
