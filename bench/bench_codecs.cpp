// JPEG decoding and encoding of a 24-megapixel photo: Lumivex's reader and writer against
// libjpeg-turbo used directly on the same data in the same run.
//
//   BM_JPEGDecodeLibjpeg   libjpeg-turbo alone: header, decompress, rows into a new block
//                          (BM_JPEGDecodeLibjpegReusedBlock: into one block kept between runs)
//   BM_JPEGDecodeLumivex   the JPEG reader filling a TPixelGraphic through LoadFromStream
//   BM_JPEGEncodeLibjpeg   libjpeg-turbo alone at quality 80 from one block of rows
//   BM_JPEGEncodeLumivex   the JPEG writer at quality 80 through SaveToStreamAs
//
// Both sides use the same DCT methods (the library-wide defaults: precise integer for
// reading, floating point for writing) and blue-green-red rows.
#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <memory>
#include <vector>

#include "imaging/PGraphic.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// Smooth waves, edges and some noise: a photo-like amount of detail.
const TPixelGraphic& Photo() {
  static const std::unique_ptr<TPixelGraphic> photo = [] {
    auto g = std::make_unique<TPixelGraphic>();
    g->SetSize(kWidth, kHeight, pf24Bit);
    std::uint32_t seed = 12345;
    const auto clamp = [](int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    for (int y = 0; y < kHeight; ++y) {
      std::uint8_t* p = g->ScanLine(y);
      for (int x = 0; x < kWidth; ++x, p += 3) {
        seed = seed * 1664525u + 1013904223u;
        const int noise = static_cast<int>((seed >> 24) & 15) - 8;
        const int wave = ((x / 7 + y / 5) % 64) - 32;
        const int edge = ((x / 300 + y / 200) & 1) ? 40 : -40;
        p[2] = clamp(x * 255 / kWidth + wave + noise + edge);
        p[1] = clamp(y * 255 / kHeight - wave / 2 + noise);
        p[0] = clamp((x + y) * 255 / (kWidth + kHeight) + wave / 3 + noise - edge);
      }
    }
    return g;
  }();
  return *photo;
}

// The photo at quality 90, written by libjpeg-turbo.
const std::vector<std::uint8_t>& PhotoJPEG() {
  static const std::vector<std::uint8_t> bytes = [] {
    ResetFormatSettings();
    ChangeFormatSettings([&](TPGFormatSettings& s) { s.JPEGWriteQuality = 90; });
    TPixelGraphic& photo = const_cast<TPixelGraphic&>(Photo());
    TPGMemoryStream out;
    SaveToStreamAs(photo, out, "jpg");
    ResetFormatSettings();
    return out.Data();
  }();
  return bytes;
}

// Decodes into a block. freshBlock: a new block per decode, as a decode into a new image
// needs (its pages are first touched by the decoder); otherwise one block reused.
void DecodeLibjpeg(benchmark::State& state, bool freshBlock) {
  const std::vector<std::uint8_t>& data = PhotoJPEG();
  const std::size_t size = std::size_t{kWidth} * kHeight * 3;
  std::uint8_t* reused = static_cast<std::uint8_t*>(std::calloc(size, 1));
  for (auto _ : state) {
    std::uint8_t* pixels = freshBlock ? static_cast<std::uint8_t*>(std::calloc(size, 1)) : reused;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGR;
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t{cinfo.output_width} * 3;
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW rows[4];
      for (int i = 0; i < 4; ++i)
        rows[i] = pixels + std::min<std::size_t>(cinfo.output_scanline + i, kHeight - 1) * stride;
      jpeg_read_scanlines(&cinfo, rows, 4);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(pixels);
    if (freshBlock) std::free(pixels);
  }
  std::free(reused);
}

void BM_JPEGDecodeLibjpeg(benchmark::State& state) { DecodeLibjpeg(state, true); }
void BM_JPEGDecodeLibjpegReusedBlock(benchmark::State& state) { DecodeLibjpeg(state, false); }

void BM_JPEGDecodeLumivex(benchmark::State& state) {
  FileFormatReaders();
  ResetFormatSettings();
  const std::vector<std::uint8_t>& data = PhotoJPEG();
  TPixelGraphic image;
  for (auto _ : state) {
    TPGMemoryStream stream(data.data(), data.size());
    LoadFromStreamExt(image, stream, "jpg", 0);
    benchmark::DoNotOptimize(image.Bits());
  }
  state.counters["MB"] = static_cast<double>(data.size()) / 1e6;
}

void BM_JPEGEncodeLibjpeg(benchmark::State& state) {
  // The same rows, top first, in one block.
  const TPixelGraphic& photo = Photo();
  std::vector<std::uint8_t> pixels(std::size_t{kWidth} * kHeight * 3);
  for (int y = 0; y < kHeight; ++y)
    std::copy_n(photo.ScanLine(y), std::size_t{kWidth} * 3, pixels.data() + static_cast<std::size_t>(y) * kWidth * 3);
  for (auto _ : state) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 80, TRUE);
    cinfo.dct_method = JDCT_FLOAT;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
      JSAMPROW row = pixels.data() + std::size_t{cinfo.next_scanline} * kWidth * 3;
      jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    benchmark::DoNotOptimize(out);
    std::free(out);
  }
}

void BM_JPEGEncodeLumivex(benchmark::State& state) {
  FileFormatWriters();
  ResetFormatSettings();
  TPixelGraphic& photo = const_cast<TPixelGraphic&>(Photo());
  for (auto _ : state) {
    TPGMemoryStream out;
    SaveToStreamAs(photo, out, "jpg");
    benchmark::DoNotOptimize(out.Data().data());
  }
}

BENCHMARK(BM_JPEGDecodeLibjpeg)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_JPEGDecodeLibjpegReusedBlock)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_JPEGDecodeLumivex)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_JPEGEncodeLibjpeg)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_JPEGEncodeLumivex)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
