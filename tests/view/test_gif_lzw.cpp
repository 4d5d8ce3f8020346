// LZW decoding: round trips through a real encoder, and damaged code streams.
#include <gtest/gtest.h>

#include <random>

#include "tests/view/GIFBuilder.h"
#include "view/GIFLzw.h"

namespace {

class Collect : public TGIFPixelSink {
 public:
  explicit Collect(std::size_t want = SIZE_MAX) : Want(want) {}
  bool Put(const std::uint8_t* p, std::size_t n) override {
    Out.insert(Out.end(), p, p + n);
    return Out.size() < Want;
  }
  std::size_t Want;
  std::vector<std::uint8_t> Out;
};

// Packs codes of the given sizes LSB first into one sub-block chain.
giftest::Bytes Pack(const std::vector<std::pair<int, int>>& codes) {
  giftest::Bytes data;
  std::uint32_t acc = 0;
  int bits = 0;
  for (auto [code, size] : codes) {
    acc |= std::uint32_t(code) << bits;
    bits += size;
    while (bits >= 8) {
      data.push_back(std::uint8_t(acc));
      acc >>= 8;
      bits -= 8;
    }
  }
  if (bits) data.push_back(std::uint8_t(acc));
  giftest::Bytes blocks{std::uint8_t(data.size())};
  blocks.insert(blocks.end(), data.begin(), data.end());
  blocks.push_back(0);
  return blocks;
}

TGIFLzwResult Decode(const giftest::Bytes& data, int mcs, Collect& sink, std::size_t* after = nullptr) {
  TGIFByteReader reader(data.data(), data.size());
  const TGIFLzwResult r = GIFDecodeLzw(reader, mcs, sink);
  if (after) *after = reader.Position();
  return r;
}

}  // namespace

TEST(GIFLzw, RoundTripsEveryCodeSizeThroughTableResets) {
  std::mt19937 rng(7);
  for (int mcs = 2; mcs <= 8; ++mcs) {
    std::vector<std::uint8_t> pixels(60000);
    // Runs and noise, so that long strings, KwKwK codes and full tables all occur.
    for (std::size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = (i / 700) % 2 ? std::uint8_t(rng() % (1u << mcs)) : std::uint8_t((i / 50) % (1u << mcs));
    Collect sink;
    std::size_t after = 0;
    const giftest::Bytes data = giftest::LzwEncode(pixels, mcs);
    EXPECT_EQ(Decode(data, mcs, sink, &after), TGIFLzwResult::EndCode) << mcs;
    EXPECT_EQ(sink.Out, pixels) << mcs;
    EXPECT_EQ(after, data.size()) << "the reader stands after the terminator";
  }
}

TEST(GIFLzw, CodesSpanSubBlocksOfOneByte) {
  std::vector<std::uint8_t> pixels{1, 2, 3, 1, 2, 3, 1, 2, 3, 3, 3, 0};
  giftest::Bytes data = giftest::LzwEncode(pixels, 2);
  // Re-split the code bytes into one-byte sub-blocks.
  giftest::Bytes codes;
  for (std::size_t i = 0; i < data.size();) {
    const int n = data[i++];
    codes.insert(codes.end(), data.begin() + i, data.begin() + i + n);
    i += n;
  }
  giftest::Bytes split;
  for (std::uint8_t c : codes) split.insert(split.end(), {1, c});
  split.push_back(0);
  Collect sink;
  EXPECT_EQ(Decode(split, 2, sink), TGIFLzwResult::EndCode);
  EXPECT_EQ(sink.Out, pixels);
}

TEST(GIFLzw, DamagedStreamsStopCleanly) {
  {  // a code beyond the next free entry ends the frame after the pixels so far
    Collect sink;
    // clear=4, end=5, next=6 after the first pixel: code 7 is beyond it.
    EXPECT_EQ(Decode(Pack({{4, 3}, {1, 3}, {7, 3}, {1, 3}}), 2, sink), TGIFLzwResult::BadCode);
    EXPECT_EQ(sink.Out, (std::vector<std::uint8_t>{1}));
  }
  {  // the KwKwK code (exactly the next entry) is valid
    Collect sink;
    EXPECT_EQ(Decode(Pack({{4, 3}, {1, 3}, {6, 3}, {5, 3}}), 2, sink), TGIFLzwResult::EndCode);
    EXPECT_EQ(sink.Out, (std::vector<std::uint8_t>{1, 1, 1}));
  }
  {  // a first code that is no pixel
    Collect sink;
    EXPECT_EQ(Decode(Pack({{4, 3}, {6, 3}}), 2, sink), TGIFLzwResult::BadCode);
    EXPECT_TRUE(sink.Out.empty());
  }
  {  // the data ends without an end code: the pixels so far stay, the reader stops at the end
    giftest::Bytes data = giftest::LzwEncode(std::vector<std::uint8_t>(500, 3), 2);
    data.resize(data.size() / 2);
    Collect sink;
    std::size_t after = 0;
    EXPECT_EQ(Decode(data, 2, sink, &after), TGIFLzwResult::DataEnd);
    EXPECT_GT(sink.Out.size(), 0u);
    EXPECT_LT(sink.Out.size(), 500u);
    EXPECT_EQ(after, data.size());
  }
  {  // minimum code size 0 and 1 decode without reading outside the tables
    for (int mcs = 0; mcs <= 1; ++mcs) {
      Collect sink;
      Decode(Pack({{0, mcs + 1}, {0, mcs + 1}, {0, mcs + 1}, {0, mcs + 1}}), mcs, sink);
      for (std::uint8_t v : sink.Out) EXPECT_LT(v, 2);
    }
  }
}

TEST(GIFLzw, StopsWhenTheSinkIsFullAndSkipsTheRest) {
  const giftest::Bytes data = giftest::LzwEncode(std::vector<std::uint8_t>(3000, 2), 2);
  giftest::Bytes withNext = data;
  withNext.push_back(0x3B);
  Collect sink(10);
  std::size_t after = 0;
  EXPECT_EQ(Decode(withNext, 2, sink, &after), TGIFLzwResult::SinkFull);
  EXPECT_EQ(after, data.size()) << "remaining sub-blocks are dropped through the terminator";
}
