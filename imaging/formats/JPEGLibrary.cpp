#include "imaging/formats/JPEGLibrary.h"

#include <jerror.h>

#include <cstring>

#include "imaging/PGMessageIds.h"

namespace {

TJPEGErrorManager& ErrorOf(j_common_ptr cinfo) {
  return *reinterpret_cast<TJPEGErrorManager*>(cinfo->err);
}

void FormatMessage(j_common_ptr cinfo, char (&buffer)[JMSG_LENGTH_MAX]) {
  buffer[0] = 0;
  cinfo->err->format_message(cinfo, buffer);
  buffer[JMSG_LENGTH_MAX - 1] = 0;
}

void ErrorExit(j_common_ptr cinfo) {
  TJPEGErrorManager& err = ErrorOf(cinfo);
  const int code = cinfo->err->msg_code;
  char buffer[JMSG_LENGTH_MAX];
  FormatMessage(cinfo, buffer);
  if (code == JERR_BAD_LIB_VERSION || code == JERR_BAD_STRUCT_SIZE)
    err.Text = "Invalid library version";
  else
    err.Text = buffer;
  err.Fail(TJPEGErrorManager::jfLibrary);
}

// Trace messages (level 0 and above) are dropped; warnings (level -1) follow the warning
// action. Corrupt data often warns many times: like libjpeg's own handler only the first
// warning of an image is shown, later ones are counted.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  TJPEGErrorManager& err = ErrorOf(cinfo);
  const bool first = err.Pub.num_warnings++ == 0;
  if (err.WarningAction == pgwaIgnore || (!first && err.WarningAction != pgwaRaise)) return;
  char buffer[JMSG_LENGTH_MAX];
  FormatMessage(cinfo, buffer);
  const TPGWarningAnswer answer =
      AskLibraryWarning(*err.Format, err.WarningAction, "JPG " + PGMessage(pgmWarning), buffer);
  if (answer == pgwRefused) {
    err.Text = buffer;
    err.Fail(TJPEGErrorManager::jfWarning);
  }
  if (answer == pgwCancelled) {
    err.Text = PGMessage(pgmAbortedByUser);
    err.Fail(TJPEGErrorManager::jfCancelled);
  }
}

void OutputMessage(j_common_ptr) {}

// ---- source -----------------------------------------------------------------------------

TJPEGSource& SourceOf(j_decompress_ptr cinfo) {
  return *reinterpret_cast<TJPEGSource*>(cinfo->src);
}

void InitSource(j_decompress_ptr cinfo) { SourceOf(cinfo).StartOfFile = true; }

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  TJPEGSource& src = SourceOf(cinfo);
  std::size_t n = 0;
  try {
    n = src.Stream->Read(src.Buffer, sizeof src.Buffer);
  } catch (...) {
    n = 0;
  }
  if (n == 0) {
    if (src.StartOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    // An inserted end-of-image marker ends the data gracefully.
    src.Buffer[0] = 0xFF;
    src.Buffer[1] = JPEG_EOI;
    n = 2;
  }
  src.Pub.next_input_byte = src.Buffer;
  src.Pub.bytes_in_buffer = n;
  src.StartOfFile = false;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  TJPEGSource& src = SourceOf(cinfo);
  if (count <= 0) return;
  while (count > static_cast<long>(src.Pub.bytes_in_buffer)) {
    count -= static_cast<long>(src.Pub.bytes_in_buffer);
    FillInputBuffer(cinfo);
  }
  src.Pub.next_input_byte += count;
  src.Pub.bytes_in_buffer -= static_cast<std::size_t>(count);
}

// Gives back what was read ahead, so the stream ends up right after the JPEG data.
void TermSource(j_decompress_ptr cinfo) {
  TJPEGSource& src = SourceOf(cinfo);
  try {
    src.Stream->Seek(src.Stream->Position() - static_cast<std::int64_t>(src.Pub.bytes_in_buffer));
  } catch (...) {
  }
  src.Pub.bytes_in_buffer = 0;
}

// ---- destination ------------------------------------------------------------------------

TJPEGDestination& DestinationOf(j_compress_ptr cinfo) {
  return *reinterpret_cast<TJPEGDestination*>(cinfo->dest);
}

void InitDestination(j_compress_ptr cinfo) {
  TJPEGDestination& dest = DestinationOf(cinfo);
  dest.Pub.next_output_byte = dest.Buffer;
  dest.Pub.free_in_buffer = sizeof dest.Buffer;
}

// Writes n buffered bytes; a stream failure ends the compression with the stream's message.
void WriteBuffered(TJPEGDestination& dest, std::size_t n) {
  bool failed = false;
  try {
    dest.Stream->Write(dest.Buffer, n);
  } catch (const std::exception& e) {
    dest.Err->Text = e.what();
    failed = true;
  }
  if (failed) dest.Err->Fail(TJPEGErrorManager::jfStream);
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  TJPEGDestination& dest = DestinationOf(cinfo);
  WriteBuffered(dest, sizeof dest.Buffer);
  dest.Pub.next_output_byte = dest.Buffer;
  dest.Pub.free_in_buffer = sizeof dest.Buffer;
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  TJPEGDestination& dest = DestinationOf(cinfo);
  WriteBuffered(dest, sizeof dest.Buffer - dest.Pub.free_in_buffer);
}

}  // namespace

TJPEGErrorManager::TJPEGErrorManager(TPGWarningAction action, const TPGFormatContext& format)
    : WarningAction(action), Format(&format) {
  jpeg_std_error(&Pub);
  Pub.error_exit = ErrorExit;
  Pub.emit_message = EmitMessage;
  Pub.output_message = OutputMessage;
}

void TJPEGErrorManager::Fail(TFailure failure) {
  Failure = failure;
  std::longjmp(Jump, 1);
}

void RaiseJPEGFailure(const TJPEGErrorManager& err) {
  throw EPGJPGFileFormatReaderWriter("JPG: " + err.Text);
}

void RaiseJPG(TPGMessageId message, const std::string& s1) {
  throw EPGJPGFileFormatReaderWriter("JPG: " + PGMessage(message, s1));
}

J_DCT_METHOD JPEGDCTMethod(int setting) {
  switch (setting) {
    case 1: return JDCT_IFAST;
    case 2: return JDCT_FLOAT;
    default: return JDCT_ISLOW;
  }
}

TJPEGDecompressor::TJPEGDecompressor(TPGStream& stream, TPGWarningAction warnings,
                                     const TPGFormatContext& format)
    : Err(warnings, format) {
  std::memset(&Info, 0, sizeof Info);
  Info.err = &Err.Pub;
  // Creation checks that the library is the 6.2 interface with the structure layout we
  // were compiled with; a mismatch fails with "Invalid library version".
  JPEGCall(Err, [&] { jpeg_CreateDecompress(&Info, JPEG_LIB_VERSION, sizeof Info); });
  FCreated = true;
  std::memset(&FSource.Pub, 0, sizeof FSource.Pub);
  FSource.Stream = &stream;
  FSource.Pub.init_source = InitSource;
  FSource.Pub.fill_input_buffer = FillInputBuffer;
  FSource.Pub.skip_input_data = SkipInputData;
  FSource.Pub.resync_to_restart = jpeg_resync_to_restart;
  FSource.Pub.term_source = TermSource;
  Info.src = &FSource.Pub;
}

TJPEGDecompressor::~TJPEGDecompressor() {
  if (FCreated) jpeg_destroy_decompress(&Info);
}

TJPEGCompressor::TJPEGCompressor(TPGStream& stream, TPGWarningAction warnings,
                                 const TPGFormatContext& format)
    : Err(warnings, format) {
  std::memset(&Info, 0, sizeof Info);
  Info.err = &Err.Pub;
  JPEGCall(Err, [&] { jpeg_CreateCompress(&Info, JPEG_LIB_VERSION, sizeof Info); });
  FCreated = true;
  std::memset(&FDestination.Pub, 0, sizeof FDestination.Pub);
  FDestination.Stream = &stream;
  FDestination.Err = &Err;
  FDestination.Pub.init_destination = InitDestination;
  FDestination.Pub.empty_output_buffer = EmptyOutputBuffer;
  FDestination.Pub.term_destination = TermDestination;
  Info.dest = &FDestination.Pub;
}

TJPEGCompressor::~TJPEGCompressor() {
  if (FCreated) jpeg_destroy_compress(&Info);
}
