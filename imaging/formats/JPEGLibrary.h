// Glue between libjpeg and the readers and writers: error and warning handling, stream
// source and destination, and the decompressor and compressor objects that own their state.
//
// libjpeg reports errors by calling back and never returning. Every library call runs through
// JPEGCall, which sets a jump point right around the call; the error handler jumps back there
// and JPEGCall turns the stored message into an exception. Only library frames and our plain
// callbacks lie between the jump point and the jump, so no C++ destructor is skipped.
#pragma once

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

#include "imaging/PGMessageIds.h"
#include "imaging/PGraphic.h"
#include "imaging/formats/FormatContext.h"
#include "imaging/formats/PGStream.h"

static_assert(JPEG_LIB_VERSION == 62, "Lumivex is built against the libjpeg 6.2 interface");
#ifndef LIBJPEG_TURBO_VERSION
#error "Lumivex needs libjpeg-turbo (blue-green-red pixel rows)"
#endif

inline constexpr std::size_t JPEGBufferSize = 64 * 1024;

struct TJPEGErrorManager {
  jpeg_error_mgr Pub;  // first member: libjpeg sees only this part
  std::jmp_buf Jump;
  TPGWarningAction WarningAction = pgwaOKCancelBox;
  const TPGFormatContext* Format = nullptr;  // the call's warning box
  enum TFailure { jfNone, jfLibrary, jfWarning, jfCancelled, jfStream } Failure = jfNone;
  std::string Text;  // the message of the failure

  TJPEGErrorManager(TPGWarningAction action, const TPGFormatContext& format);
  // Records the failure (its message already in Text) and jumps back to the active JPEGCall.
  // Callers hold no objects with destructors when they call it.
  [[noreturn]] void Fail(TFailure failure);
};

// Raises the stored failure as EPGJPGFileFormatReaderWriter ("JPG: ...").
[[noreturn]] void RaiseJPEGFailure(const TJPEGErrorManager& err);
[[noreturn]] void RaiseJPG(TPGMessageId message, const std::string& s1 = {});

template <class F>
void JPEGCall(TJPEGErrorManager& err, F&& call) {
  if (setjmp(err.Jump)) RaiseJPEGFailure(err);
  call();
}

// Maps the library-wide DCT method setting (0 precise, 1 fast, 2 float) to libjpeg's.
J_DCT_METHOD JPEGDCTMethod(int setting);

struct TJPEGSource {
  jpeg_source_mgr Pub;
  TPGStream* Stream = nullptr;
  bool StartOfFile = true;
  JOCTET Buffer[JPEGBufferSize];
};

struct TJPEGDestination {
  jpeg_destination_mgr Pub;
  TPGStream* Stream = nullptr;
  TJPEGErrorManager* Err = nullptr;
  JOCTET Buffer[JPEGBufferSize];
};

// A decompressor reading from a stream; destroyed with the object, also after an error.
class TJPEGDecompressor {
 public:
  TJPEGDecompressor(TPGStream& stream, TPGWarningAction warnings, const TPGFormatContext& format);
  ~TJPEGDecompressor();
  TJPEGDecompressor(const TJPEGDecompressor&) = delete;
  TJPEGDecompressor& operator=(const TJPEGDecompressor&) = delete;

  jpeg_decompress_struct Info;
  TJPEGErrorManager Err;
  // Bytes of the stream that the library holds but has not used yet.
  std::int64_t Buffered() const { return static_cast<std::int64_t>(FSource.Pub.bytes_in_buffer); }

 private:
  TJPEGSource FSource;
  bool FCreated = false;
};

class TJPEGCompressor {
 public:
  TJPEGCompressor(TPGStream& stream, TPGWarningAction warnings, const TPGFormatContext& format);
  ~TJPEGCompressor();
  TJPEGCompressor(const TJPEGCompressor&) = delete;
  TJPEGCompressor& operator=(const TJPEGCompressor&) = delete;

  jpeg_compress_struct Info;
  TJPEGErrorManager Err;

 private:
  TJPEGDestination FDestination;
  bool FCreated = false;
};
