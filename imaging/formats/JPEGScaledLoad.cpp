// libjpeg reports errors by calling back and never returning. Each library call runs inside
// Guarded, which sets the jump point right around it; only library frames lie between the
// jump point and the jump, so no destructor is skipped.
#include "imaging/formats/JPEGScaledLoad.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace {

// Storage of the full picture beyond this ratio to the file's size cannot come from a real
// file (about one bit per 8 x 8 block of each component is the least JPEG data).
constexpr double kMaxExpansion = 8192.0;

struct TErrorManager {
  jpeg_error_mgr Pub;  // first member: the library sees only this part
  std::jmp_buf Jump;
  char Text[JMSG_LENGTH_MAX] = {};
};

void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Text);
  std::longjmp(err->Jump, 1);
}

// Warnings (corrupt but recoverable data) are not reported: a thumbnail of a damaged file
// shows what could be decoded.
void OnMessage(j_common_ptr, int) {}

[[noreturn]] void Raise(const std::string& text) {
  throw EPGJPGFileFormatReaderWriter("JPG: " + text);
}

template <class F>
void Guarded(TErrorManager& err, F&& call) {
  if (setjmp(err.Jump)) Raise(err.Text);
  call();
}

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Owns the decompressor so that it is destroyed on every path.
struct TDecompressor {
  jpeg_decompress_struct Info{};
  TErrorManager Err;
  bool Created = false;
  TDecompressor() {
    Info.err = jpeg_std_error(&Err.Pub);
    Err.Pub.error_exit = OnError;
    Err.Pub.emit_message = OnMessage;
    Guarded(Err, [&] { jpeg_create_decompress(&Info); });
    Created = true;
  }
  ~TDecompressor() {
    if (Created) jpeg_destroy_decompress(&Info);
  }
};

// The smallest scale n / 8 whose output covers the wanted size.
void ChooseScale(TDecompressor& d, TScaledSize want) {
  jpeg_decompress_struct* cinfo = &d.Info;
  cinfo->scale_denom = 8;
  for (unsigned num = 1; num <= 8; ++num) {
    cinfo->scale_num = num;
    Guarded(d.Err, [&] { jpeg_calc_output_dimensions(cinfo); });
    if (static_cast<int>(cinfo->output_width) >= want.Width &&
        static_cast<int>(cinfo->output_height) >= want.Height)
      return;
  }
}

// CMYK as Adobe writes it (inverted): each colour channel times black.
void CMYKToBGR(const std::uint8_t* cmyk, std::uint8_t* bgr, int width) {
  for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const int k = cmyk[3];
    bgr[0] = static_cast<std::uint8_t>(cmyk[2] * k / 255);
    bgr[1] = static_cast<std::uint8_t>(cmyk[1] * k / 255);
    bgr[2] = static_cast<std::uint8_t>(cmyk[0] * k / 255);
  }
}

}  // namespace

bool IsJPEGFile(const std::string& path) {
  std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  unsigned char magic[2] = {};
  return std::fread(magic, 1, 2, file.get()) == 2 && magic[0] == 0xFF && magic[1] == 0xD8;
}

TJPEGScaledResult LoadJPEGScaled(const std::string& path, TPixelGraphic& picture,
                                 const std::function<TScaledSize(int, int)>& wanted,
                                 TJPEGScaledQuality quality) {
  std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) Raise("cannot open " + path);
  std::fseek(file.get(), 0, SEEK_END);
  const long fileSize = std::ftell(file.get());
  std::rewind(file.get());
  return LoadJPEGScaled(file.get(), fileSize, picture, wanted, quality);
}

TJPEGScaledResult LoadJPEGScaled(std::FILE* input, long fileSize, TPixelGraphic& picture,
                                 const std::function<TScaledSize(int, int)>& wanted,
                                 TJPEGScaledQuality quality) {
  TDecompressor d;
  jpeg_decompress_struct* cinfo = &d.Info;
  Guarded(d.Err, [&] { jpeg_stdio_src(cinfo, input); });
  Guarded(d.Err, [&] { jpeg_read_header(cinfo, TRUE); });

  TJPEGScaledResult result;
  result.FullWidth = static_cast<int>(cinfo->image_width);
  result.FullHeight = static_cast<int>(cinfo->image_height);
  const double fullBytes = static_cast<double>(cinfo->image_width) * cinfo->image_height *
                           cinfo->num_components;
  if (fileSize <= 0 || fullBytes > kMaxExpansion * static_cast<double>(fileSize))
    Raise("Image size is not plausible for the file's length");

  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  const bool fast = quality == TJPEGScaledQuality::Fast;
  cinfo->dct_method = fast ? JDCT_IFAST : JDCT_ISLOW;
  cinfo->do_fancy_upsampling = fast ? FALSE : TRUE;
  ChooseScale(d, wanted(result.FullWidth, result.FullHeight));
  result.ScaleNum = static_cast<int>(cinfo->scale_num);
  // Progressive files keep every coefficient in memory, about as much as the pixels.
  cinfo->mem->max_memory_to_use = static_cast<long>(2 * fullBytes + (64 << 20));
  Guarded(d.Err, [&] { jpeg_start_decompress(cinfo); });

  const int width = static_cast<int>(cinfo->output_width);
  const int height = static_cast<int>(cinfo->output_height);
  picture.SetSize(width, height, pf24Bit);
  std::unique_ptr<std::uint8_t[]> cmykRow(cmyk ? new std::uint8_t[std::size_t(width) * 4] : nullptr);
  while (cinfo->output_scanline < cinfo->output_height) {
    const int y = static_cast<int>(cinfo->output_scanline);
    JSAMPROW row = cmyk ? cmykRow.get() : picture.ScanLine(y);
    Guarded(d.Err, [&] { jpeg_read_scanlines(cinfo, &row, 1); });
    if (cmyk) CMYKToBGR(cmykRow.get(), picture.ScanLine(y), width);
  }
  Guarded(d.Err, [&] { jpeg_finish_decompress(cinfo); });
  picture.Changed();
  return result;
}
