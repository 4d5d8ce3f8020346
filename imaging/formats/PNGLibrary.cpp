#include "imaging/formats/PNGLibrary.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

#include "imaging/PGMessageIds.h"

static_assert(PNG_LIBPNG_VER >= 10600 && PNG_LIBPNG_VER < 10700,
              "Lumivex is built against libpng 1.6");

namespace {

TPNGContext& ContextOf(png_structp png) {
  return *static_cast<TPNGContext*>(png_get_error_ptr(png));
}

[[noreturn]] void Fail(TPNGContext& context) { std::longjmp(context.Jump, 1); }

void ErrorFn(png_structp png, png_const_charp message) {
  TPNGContext& context = ContextOf(png);
  context.Text = message ? message : "";
  Fail(context);
}

// Warnings follow the warning action; like for JPEG only the first one of a file is shown.
void WarningFn(png_structp png, png_const_charp message) {
  TPNGContext& context = ContextOf(png);
  const bool first = context.Warnings++ == 0;
  if (!first && context.WarningAction != pgwaRaise) return;
  const TPGWarningAnswer answer =
      AskLibraryWarning(*context.Format, context.WarningAction, "PNG " + PGMessage(pgmWarning),
                        message ? message : "");
  if (answer == pgwRefused) context.Text = message ? message : "";
  if (answer == pgwCancelled) context.Text = PGMessage(pgmAbortedByUser);
  if (answer != pgwGoOn) Fail(context);
}

void ReadFn(png_structp png, png_bytep data, std::size_t length) {
  TPNGContext& context = *static_cast<TPNGContext*>(png_get_io_ptr(png));
  std::size_t n = 0;
  try {
    n = context.Stream->Read(data, length);
  } catch (...) {
    n = 0;
  }
  if (n != length) png_error(png, "Read Error");
}

void WriteFn(png_structp png, png_bytep data, std::size_t length) {
  TPNGContext& context = *static_cast<TPNGContext*>(png_get_io_ptr(png));
  bool failed = false;
  try {
    context.Stream->Write(data, length);
  } catch (const std::exception& e) {
    context.Text = e.what();
    failed = true;
  }
  if (failed) Fail(context);
}

void FlushFn(png_structp) {}

// libpng allocates what a chunk's length field claims before it reads the chunk (a damaged
// text chunk asked for 2 GB), and its own chunk limit does not cover every chunk. Reading
// never needs more than a few row buffers, so larger requests are refused: an ancillary
// chunk is then skipped with a warning, anything else fails with libpng's "Out of Memory".
constexpr png_alloc_size_t PNGMaxAllocation = png_alloc_size_t{64} << 20;

png_voidp LimitedMalloc(png_structp, png_alloc_size_t size) {
  return size > PNGMaxAllocation ? nullptr : std::malloc(size);
}

void LimitedFree(png_structp, png_voidp p) { std::free(p); }

}  // namespace

void RaisePNG(TPGMessageId message, const std::string& s1) {
  throw EPGPNGFileFormatReaderWriter("PNG: " + PGMessage(message, s1));
}

void RaisePNGFailure(const TPNGContext& context) {
  throw EPGPNGFileFormatReaderWriter("PNG: " + context.Text);
}

void CheckPNGLibraryVersion() {
  const png_uint_32 linked = png_access_version_number();
  const char* zlib = zlibVersion();
  if (linked / 100 != PNG_LIBPNG_VER / 100 || !zlib || zlib[0] != ZLIB_VERSION[0])
    throw EPGPNGFileFormatReaderWriter("PNG: Invalid library version");
}

TPNGReadStruct::TPNGReadStruct(TPGStream& stream, TPGWarningAction warnings,
                               const TPGFormatContext& format) {
  Context.WarningAction = warnings;
  Context.Format = &format;
  Context.Stream = &stream;
  Png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &Context, ErrorFn, WarningFn, nullptr,
                                 LimitedMalloc, LimitedFree);
  if (!Png) RaisePNG(pgmFailed, "png_create_read_struct");
  Info = png_create_info_struct(Png);
  if (!Info) {
    png_destroy_read_struct(&Png, nullptr, nullptr);
    RaisePNG(pgmFailed, "png_create_info_struct");
  }
  png_set_read_fn(Png, &Context, ReadFn);
}

TPNGReadStruct::~TPNGReadStruct() { png_destroy_read_struct(&Png, &Info, nullptr); }

TPNGWriteStruct::TPNGWriteStruct(TPGStream& stream, TPGWarningAction warnings,
                                 const TPGFormatContext& format) {
  Context.WarningAction = warnings;
  Context.Format = &format;
  Context.Stream = &stream;
  Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &Context, ErrorFn, WarningFn);
  if (!Png) RaisePNG(pgmFailed, "png_create_write_struct");
  Info = png_create_info_struct(Png);
  if (!Info) {
    png_destroy_write_struct(&Png, nullptr);
    RaisePNG(pgmFailed, "png_create_info_struct");
  }
  png_set_write_fn(Png, &Context, WriteFn, FlushFn);
}

TPNGWriteStruct::~TPNGWriteStruct() { png_destroy_write_struct(&Png, &Info); }
