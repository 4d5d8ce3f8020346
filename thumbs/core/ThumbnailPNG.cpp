// libpng reports errors by jumping to the point set in its structure. Each library call runs
// inside Guarded, which sets the jump point right around it, so no destructor is skipped.
#include "thumbs/core/ThumbnailPNG.h"

#include <csetjmp>
#include <cstring>
#include <cstdint>
#include <vector>

#include <png.h>

namespace {

[[noreturn]] void Raise(const std::string& text) {
  throw EPGPNGFileFormatReaderWriter("PNG: " + text);
}

struct TPNGErrorText {
  std::string Text;
};

void OnError(png_structp png, png_const_charp message) {
  auto* text = static_cast<TPNGErrorText*>(png_get_error_ptr(png));
  if (text) text->Text = message ? message : "error";
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

template <class F>
void Guarded(png_structp png, const TPNGErrorText& error, F&& call) {
  if (setjmp(png_jmpbuf(png))) Raise(error.Text);
  call();
}

class TWriteStruct {
 public:
  TWriteStruct() {
    Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &Error, OnError, OnWarning);
    if (Png) Info = png_create_info_struct(Png);
    if (!Png || !Info) Raise("out of memory");
  }
  ~TWriteStruct() { png_destroy_write_struct(&Png, &Info); }
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  TPNGErrorText Error;
};

class TReadStruct {
 public:
  TReadStruct() {
    Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &Error, OnError, OnWarning);
    if (Png) Info = png_create_info_struct(Png);
    if (Png) End = png_create_info_struct(Png);
    if (!Png || !Info || !End) Raise("out of memory");
  }
  ~TReadStruct() { png_destroy_read_struct(&Png, &Info, &End); }
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  png_infop End = nullptr;
  TPNGErrorText Error;
};

void CollectText(png_structp png, png_infop info, TPNGTextKeys& keys) {
  png_textp text = nullptr;
  int count = 0;
  png_get_text(png, info, &text, &count);
  for (int i = 0; i < count; ++i)
    if (text[i].key && text[i].text) keys[text[i].key] = text[i].text;
}

// RGBA row to the picture's blue, green, red, over the background.
void ComposeRow(const std::uint8_t* rgba, std::uint8_t* bgr, int width, TRGB background) {
  const int br = RedOf(background), bg = GreenOf(background), bb = BlueOf(background);
  for (int x = 0; x < width; ++x, rgba += 4, bgr += 3) {
    const int a = rgba[3];
    bgr[0] = static_cast<std::uint8_t>((rgba[2] * a + bb * (255 - a) + 127) / 255);
    bgr[1] = static_cast<std::uint8_t>((rgba[1] * a + bg * (255 - a) + 127) / 255);
    bgr[2] = static_cast<std::uint8_t>((rgba[0] * a + br * (255 - a) + 127) / 255);
  }
}

// Cache entries are small pictures; a file beyond this is not one.
constexpr std::size_t kMaxEntryBytes = 4 << 20;

struct TMemoryInput {
  const std::vector<std::uint8_t>* Data;
  std::size_t At = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* in = static_cast<TMemoryInput*>(png_get_io_ptr(png));
  if (count > in->Data->size() - in->At) png_error(png, "Read Error: file truncated");
  std::memcpy(out, in->Data->data() + in->At, count);
  in->At += count;
}

std::uint32_t BigEndian(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The whole file, after checking that every chunk lies inside it (the library would otherwise
// reserve what a damaged length field claims before it finds the data missing).
std::vector<std::uint8_t> ReadCheckedFile(std::FILE* file) {
  std::vector<std::uint8_t> data;
  std::uint8_t buffer[16384];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    data.insert(data.end(), buffer, buffer + n);
    if (data.size() > kMaxEntryBytes) Raise("file too large for a thumbnail");
  }
  std::size_t at = 8;
  while (at + 8 <= data.size()) {
    const std::uint64_t length = BigEndian(&data[at]);
    if (length > data.size() - at - 8) Raise("chunk length beyond the end of the file");
    at += 12 + length;
  }
  return data;
}

}  // namespace

void WriteThumbnailPNG(std::FILE* file, const TPixelGraphic& picture, const TPNGTextKeys& keys) {
  if (picture.PixelFormat() != pf24Bit || picture.Empty()) Raise("thumbnail is not 24-bit");
  TWriteStruct w;
  std::vector<png_text> text;
  for (const auto& [key, value] : keys) {
    png_text t{};
    t.compression = PNG_TEXT_COMPRESSION_NONE;
    t.key = const_cast<char*>(key.c_str());
    t.text = const_cast<char*>(value.c_str());
    t.text_length = value.size();
    text.push_back(t);
  }
  const int width = picture.Width(), height = picture.Height();
  Guarded(w.Png, w.Error, [&] {
    png_init_io(w.Png, file);
    png_set_IHDR(w.Png, w.Info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(w.Png, 3);
    png_set_text(w.Png, w.Info, text.data(), static_cast<int>(text.size()));
    png_write_info(w.Png, w.Info);
    png_set_bgr(w.Png);
  });
  for (int y = 0; y < height; ++y) {
    auto row = const_cast<png_bytep>(picture.ScanLine(y));
    Guarded(w.Png, w.Error, [&] { png_write_row(w.Png, row); });
  }
  Guarded(w.Png, w.Error, [&] { png_write_end(w.Png, w.Info); });
}

TPNGTextKeys ReadThumbnailPNG(std::FILE* file, TPixelGraphic& picture, TRGB background,
                              int maxSide) {
  const std::vector<std::uint8_t> data = ReadCheckedFile(file);
  TMemoryInput input{&data};
  TReadStruct r;
  png_uint_32 width = 0, height = 0;
  Guarded(r.Png, r.Error, [&] {
    png_set_read_fn(r.Png, &input, ReadFromMemory);
    // Entries are small: no chunk, text or picture beyond what a thumbnail needs is read.
    png_set_user_limits(r.Png, static_cast<png_uint_32>(maxSide), static_cast<png_uint_32>(maxSide));
    png_set_chunk_cache_max(r.Png, 64);
    png_set_chunk_malloc_max(r.Png, 1 << 20);
    png_read_info(r.Png, r.Info);
    width = png_get_image_width(r.Png, r.Info);
    height = png_get_image_height(r.Png, r.Info);
  });
  if (width < 1 || height < 1 || width > png_uint_32(maxSide) || height > png_uint_32(maxSide))
    Raise("thumbnail size out of range");
  Guarded(r.Png, r.Error, [&] {
    png_set_expand(r.Png);
    png_set_strip_16(r.Png);
    png_set_gray_to_rgb(r.Png);
    png_set_add_alpha(r.Png, 0xFF, PNG_FILLER_AFTER);
    (void)png_set_interlace_handling(r.Png);
    png_read_update_info(r.Png, r.Info);
  });
  if (png_get_rowbytes(r.Png, r.Info) != std::size_t{width} * 4) Raise("unexpected row layout");
  std::vector<std::uint8_t> rows(std::size_t{width} * height * 4);
  std::vector<png_bytep> pointers(height);
  for (png_uint_32 y = 0; y < height; ++y) pointers[y] = rows.data() + std::size_t{y} * width * 4;
  Guarded(r.Png, r.Error, [&] {
    png_read_image(r.Png, pointers.data());
    png_read_end(r.Png, r.End);
  });
  TPNGTextKeys keys;
  CollectText(r.Png, r.Info, keys);
  CollectText(r.Png, r.End, keys);
  picture.SetSize(static_cast<int>(width), static_cast<int>(height), pf24Bit);
  for (png_uint_32 y = 0; y < height; ++y)
    ComposeRow(pointers[y], picture.ScanLine(static_cast<int>(y)), static_cast<int>(width),
               background);
  picture.Changed();
  return keys;
}
