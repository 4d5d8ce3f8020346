// Scanner frames into pictures, and the BMP file made from a transfer bitmap.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "imaging/formats/NativeDIB.h"
#include "imaging/formats/ScanFrames.h"
#include "tests/formats/FormatTestUtil.h"

namespace {

TScanParameters Frame(TScanFrameKind kind, int width, int lines, int depth, bool last = true) {
  TScanParameters p;
  p.Kind = kind;
  p.PixelsPerLine = width;
  p.Lines = lines;
  p.Depth = depth;
  p.LastFrame = last;
  const int samples = kind == TScanFrameKind::RGB ? 3 : 1;
  p.BytesPerLine = (width * samples * depth + 7) / 8;
  return p;
}

void Feed(TScanAssembler& a, const TScanParameters& p, const TBytes& bytes) {
  a.BeginFrame(p);
  a.Append(bytes.data(), bytes.size());
  a.EndFrame();
}

}  // namespace

TEST(ScanFrames, GreyFramesOf8And16BitsBecome8BitGreyPictures) {
  TScanAssembler a8;
  Feed(a8, Frame(TScanFrameKind::Gray, 3, 2, 8), {0, 128, 255, 10, 20, 30});
  auto p = a8.Picture();
  ASSERT_EQ(p->PixelFormat(), pf8Bit);
  EXPECT_EQ(p->PaletteIdent(), pGray256);
  EXPECT_EQ(p->Width(), 3);
  EXPECT_EQ(p->Height(), 2);
  EXPECT_EQ(p->Pixel(1, 0), 128u);
  EXPECT_EQ(p->Pixel(2, 1), 30u);

  // 16-bit samples in the machine's byte order keep their high byte.
  const std::uint16_t samples[2] = {0xABCD, 0x01FF};
  TBytes bytes(4);
  std::memcpy(bytes.data(), samples, 4);
  TScanAssembler a16;
  Feed(a16, Frame(TScanFrameKind::Gray, 2, 1, 16), bytes);
  p = a16.Picture();
  EXPECT_EQ(p->Pixel(0, 0), 0xABu);
  EXPECT_EQ(p->Pixel(1, 0), 0x01u);
}

TEST(ScanFrames, LineArtBecomesA1BitPictureWithSetBitsBlack) {
  TScanAssembler a;
  // 10 pixels: 1000 0001 | 11xx xxxx (the padding bits must not leak into the picture)
  Feed(a, Frame(TScanFrameKind::Gray, 10, 1, 1), {0x81, 0xFF});
  auto p = a.Picture();
  ASSERT_EQ(p->PixelFormat(), pf1Bit);
  const TRGB black = RGBColor(0, 0, 0), white = RGBColor(255, 255, 255);
  EXPECT_EQ(p->PixelColor(0, 0), black);
  for (int x = 1; x < 7; ++x) EXPECT_EQ(p->PixelColor(x, 0), white) << x;
  EXPECT_EQ(p->PixelColor(7, 0), black);
  EXPECT_EQ(p->PixelColor(8, 0), black);
  EXPECT_EQ(p->PixelColor(9, 0), black);
  EXPECT_EQ(p->ScanLine(0)[1] & 0x3F, 0);
}

TEST(ScanFrames, ColourFramesInOneOrThreePassesGiveTheSamePicture) {
  const TBytes rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};  // 2 x 2
  TScanAssembler one;
  Feed(one, Frame(TScanFrameKind::RGB, 2, 2, 8), rgb);
  auto single = one.Picture();
  ASSERT_EQ(single->PixelFormat(), pf24Bit);
  EXPECT_EQ(single->PixelColor(0, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(single->PixelColor(1, 1), RGBColor(10, 20, 30));

  // Three passes in the order green, blue, red; only the last is marked as the last frame.
  TBytes planes[3];
  for (int i = 0; i < 4; ++i)
    for (int c = 0; c < 3; ++c) planes[c].push_back(rgb[3 * i + c]);
  TScanAssembler three;
  Feed(three, Frame(TScanFrameKind::Green, 2, 2, 8, false), planes[1]);
  EXPECT_FALSE(three.Complete());
  Feed(three, Frame(TScanFrameKind::Blue, 2, 2, 8, false), planes[2]);
  EXPECT_THROW(three.Picture(), EScanFrame);
  Feed(three, Frame(TScanFrameKind::Red, 2, 2, 8, true), planes[0]);
  ASSERT_TRUE(three.Complete());
  auto merged = three.Picture();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(merged->PixelColor(x, y), single->PixelColor(x, y));

  // Colour line-art: every sample is 0 or 255.
  TScanAssembler bits;
  Feed(bits, Frame(TScanFrameKind::RGB, 2, 1, 1), {0b10101100});
  auto p = bits.Picture();
  EXPECT_EQ(p->PixelColor(0, 0), RGBColor(255, 0, 255));
  EXPECT_EQ(p->PixelColor(1, 0), RGBColor(0, 255, 255));
}

TEST(ScanFrames, HandScannerFramesGrowUpToTheLimitAndKeepWholeLines) {
  TScanAssembler a(1000);
  a.BeginFrame(Frame(TScanFrameKind::Gray, 10, -1, 8));
  EXPECT_EQ(a.FrameBytesExpected(), 0u);
  const TBytes chunk(25, 7);
  for (int i = 0; i < 3; ++i) a.Append(chunk.data(), chunk.size());
  a.EndFrame();
  auto p = a.Picture();
  EXPECT_EQ(p->Height(), 7);  // 75 bytes: 7 whole lines of 10
  EXPECT_EQ(p->Pixel(9, 6), 7u);

  TScanAssembler small(100);
  small.BeginFrame(Frame(TScanFrameKind::Gray, 10, -1, 8));
  const TBytes big(60, 1);
  small.Append(big.data(), big.size());
  EXPECT_THROW(small.Append(big.data(), big.size()), EScanTooLarge);
}

TEST(ScanFrames, AScanLargerThanMemoryAllowsIsRefusedWithAMessage) {
  TScanAssembler a;
  try {
    a.BeginFrame(Frame(TScanFrameKind::RGB, 60000, 60000, 16));
    FAIL() << "a 21 GB frame was taken";
  } catch (const EScanTooLarge& e) {
    EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
  }
  // Frames that cannot make a picture.
  TScanAssembler b;
  EXPECT_THROW(b.BeginFrame(Frame(TScanFrameKind::Gray, 10, 5, 4)), EScanFrame);
  TScanParameters shortLines = Frame(TScanFrameKind::RGB, 10, 5, 8);
  shortLines.BytesPerLine = 29;
  EXPECT_THROW(b.BeginFrame(shortLines), EScanFrame);
  EXPECT_THROW(b.BeginFrame(Frame(TScanFrameKind::Gray, 0, 5, 8)), EScanFrame);
  // Bytes past the announced length are dropped; a frame without whole lines has no picture.
  TScanAssembler c;
  Feed(c, Frame(TScanFrameKind::Gray, 4, 1, 8), TBytes(100, 3));
  EXPECT_EQ(c.Picture()->Height(), 1);
  TScanAssembler d;
  Feed(d, Frame(TScanFrameKind::Gray, 4, 3, 8), TBytes(3, 3));
  EXPECT_THROW(d.Picture(), EScanFrame);
}

// ---- the BMP file of a transfer bitmap --------------------------------------------------------

namespace {

TBytes InfoHeader(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression = 0,
                  std::uint32_t clrUsed = 0) {
  TBytes h(40, 0);
  auto put32 = [&](int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) h[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  put32(0, 40);
  put32(4, static_cast<std::uint32_t>(width));
  put32(8, static_cast<std::uint32_t>(height));
  h[12] = 1;
  h[14] = static_cast<std::uint8_t>(bits);
  put32(16, compression);
  put32(32, clrUsed);
  return h;
}

std::uint32_t FileU32(const TBytes& f, int at) {
  return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | std::uint32_t(f[at + 3]) << 24;
}

}  // namespace

TEST(NativeBMP, PixelOffsetFollowsTheRealHeaderMasksAndColourTable) {
  auto at = [](const TBytes& dib) { return NativeBMPLayout(dib.data(), dib.size()); };
  TBytes eight = InfoHeader(3, 2, 8);
  eight.resize(40 + 1024 + 2 * 4);
  EXPECT_EQ(at(eight).PixelOffset, 1078u);
  EXPECT_EQ(at(eight).FileSize, 1078u + 8);

  TBytes used = InfoHeader(3, 2, 8, 0, 16);
  used.resize(40 + 64 + 8);
  EXPECT_EQ(at(used).PixelOffset, 14u + 40 + 64);

  TBytes masks = InfoHeader(2, 2, 16, 3);
  masks.resize(40 + 12 + 8);
  EXPECT_EQ(at(masks).PixelOffset, 14u + 40 + 12);

  TBytes v5 = InfoHeader(1, 1, 24);
  v5[0] = 124;
  v5.resize(124 + 4);
  EXPECT_EQ(at(v5).PixelOffset, 14u + 124);

  TBytes mono = InfoHeader(1, 1, 1);
  mono.resize(40 + 8 + 4);
  EXPECT_EQ(at(mono).PixelOffset, 62u);
}

TEST(NativeBMP, TopDownHeightsAndHugeSizesAreSizedIn64Bits) {
  TBytes topDown = InfoHeader(3, -2, 24);
  topDown.resize(40 + 2 * 12);
  const auto l = NativeBMPLayout(topDown.data(), topDown.size());
  ASSERT_TRUE(l.Valid);
  EXPECT_EQ(l.ImageSize, 24u);

  // 70000 x 70000 at 24 bits is 14.7 GB: refused, as is a bitmap shorter than its header says.
  TBytes huge = InfoHeader(70000, -70000, 24);
  huge.resize(1 << 16);
  EXPECT_FALSE(NativeBMPLayout(huge.data(), huge.size()).Valid);
  TBytes hugeWidth = InfoHeader(0x7FFFFFFF, 0x7FFFFFFF, 32);
  EXPECT_FALSE(NativeBMPLayout(hugeWidth.data(), hugeWidth.size()).Valid);
  TBytes shortDib = InfoHeader(3, 2, 8);
  shortDib.resize(40 + 1024 + 7);
  EXPECT_FALSE(NativeBMPLayout(shortDib.data(), shortDib.size()).Valid);
  TBytes tooManyColours = InfoHeader(3, 2, 4, 0, 17);
  tooManyColours.resize(40 + 17 * 4 + 8);
  EXPECT_FALSE(NativeBMPLayout(tooManyColours.data(), tooManyColours.size()).Valid);
  EXPECT_EQ(WriteNativeToFile(huge, "/tmp/never-written.bmp"), kNativeWriteNoMemory);
  EXPECT_FALSE(std::filesystem::exists("/tmp/never-written.bmp"));
}

TEST(NativeBMP, WrittenFilesReadBackAsTheSamePicture) {
  InitFormatLibrary();
  const auto folder = std::filesystem::temp_directory_path() /
                      ("lumivex-native-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(folder);
  TScanAssembler a;
  TBytes rgb;
  for (int i = 0; i < 5 * 3; ++i) rgb.push_back(static_cast<std::uint8_t>(i * 17));
  Feed(a, Frame(TScanFrameKind::Gray, 5, 3, 8), rgb);
  auto grey = a.Picture();
  const std::string path = (folder / "grey.bmp").string();
  ASSERT_EQ(WriteNativeToFile(PackDIB(*grey), path), kNativeWriteOK);
  const TBytes file = ReadFileBytes(path);
  ASSERT_GE(file.size(), 14u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(FileU32(file, 2), file.size());
  EXPECT_EQ(FileU32(file, 10), 1078u);
  TPixelGraphic back;
  LoadFromFile(back, path);
  ASSERT_EQ(back.Width(), 5);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(back.PixelColor(x, y), grey->PixelColor(x, y));

  // A top-down bitmap is written as it is: its first row is the picture's top.
  TBytes topDown = InfoHeader(1, -2, 24);
  topDown.insert(topDown.end(), {0, 0, 255, 0, 0, 255, 0, 0});  // red row, then green row
  const std::string tdPath = (folder / "topdown.bmp").string();
  ASSERT_EQ(WriteNativeToFile(topDown, tdPath), kNativeWriteOK);
  LoadFromFile(back, tdPath);
  EXPECT_EQ(back.PixelColor(0, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(back.PixelColor(0, 1), RGBColor(0, 255, 0));

  EXPECT_EQ(WriteNativeToFile(PackDIB(*grey), (folder / "no/such/folder.bmp").string()),
            kNativeWriteNotCreated);
  // A write that fails part-way is reported.
  int calls = 0;
  const TBytes dib = PackDIB(*grey);
  EXPECT_EQ(WriteNativeBMP(dib.data(), dib.size(), [&](const void*, std::size_t) { return ++calls < 2; }),
            kNativeWriteFailed);
  std::filesystem::remove_all(folder);
}
