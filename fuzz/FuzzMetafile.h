// Shared body of the metafile fuzz targets: the readers render offscreen through Qt.
#pragma once

#include <cstdlib>

#include "fuzz/FuzzReader.h"
#include "platform/Metafile.h"
#include "platform/MetafileFormat.h"

// Fontconfig keeps its caches for the life of the process; they are not our leaks.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libfreetype.so\n";
}

inline void FuzzMetafileInitialize() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  RegisterExtraReaders();
  // Pictures stay small so the fuzzer spends its time on the records.
  MetafileMaxPixels = std::uint64_t{1} << 18;
  EnsureMetafileGuiApplication();
}
