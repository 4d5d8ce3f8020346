// Glue between libpng and the reader and writer: version check, error and warning handling,
// stream input and output, and read and write structures that are destroyed on every path.
//
// libpng reports errors through a callback that must not return. Every library call runs
// through PNGCall, which sets a jump point right around the call; the callback jumps back
// there and PNGCall raises the stored message. Only library frames and our plain callbacks
// lie in between, so no C++ destructor is skipped.
#pragma once

#include <csetjmp>
#include <string>

#include <png.h>

#include "imaging/PGMessageIds.h"
#include "imaging/PGraphic.h"
#include "imaging/formats/FormatContext.h"
#include "imaging/formats/PGStream.h"

struct TPNGContext {
  std::jmp_buf Jump;
  TPGWarningAction WarningAction = pgwaOKCancelBox;
  const TPGFormatContext* Format = nullptr;  // the call's warning box
  TPGStream* Stream = nullptr;
  std::string Text;  // message of the failure
  int Warnings = 0;
};

[[noreturn]] void RaisePNG(TPGMessageId message, const std::string& s1 = {});
[[noreturn]] void RaisePNGFailure(const TPNGContext& context);

// Raises "PNG: Invalid library version" unless libpng 1.6 and a zlib of the major version
// we were built with are linked.
void CheckPNGLibraryVersion();

template <class F>
void PNGCall(TPNGContext& context, F&& call) {
  if (setjmp(context.Jump)) RaisePNGFailure(context);
  call();
}

class TPNGReadStruct {
 public:
  TPNGReadStruct(TPGStream& stream, TPGWarningAction warnings, const TPGFormatContext& format);
  ~TPNGReadStruct();
  TPNGReadStruct(const TPNGReadStruct&) = delete;
  TPNGReadStruct& operator=(const TPNGReadStruct&) = delete;

  TPNGContext Context;
  png_structp Png = nullptr;
  png_infop Info = nullptr;
};

class TPNGWriteStruct {
 public:
  TPNGWriteStruct(TPGStream& stream, TPGWarningAction warnings, const TPGFormatContext& format);
  ~TPNGWriteStruct();
  TPNGWriteStruct(const TPNGWriteStruct&) = delete;
  TPNGWriteStruct& operator=(const TPNGWriteStruct&) = delete;

  TPNGContext Context;
  png_structp Png = nullptr;
  png_infop Info = nullptr;
};
