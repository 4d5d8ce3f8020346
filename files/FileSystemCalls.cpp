#include "files/FileSystemCalls.h"

#include <unistd.h>

TFileSystemCalls& FileSystemCalls() {
  static TFileSystemCalls calls{::read, ::write, ::fsync, ::close};
  return calls;
}

TFileSystemCallsOverride::TFileSystemCallsOverride(const TFileSystemCalls& calls)
    : FSaved(FileSystemCalls()) {
  FileSystemCalls() = calls;
}

TFileSystemCallsOverride::~TFileSystemCallsOverride() { FileSystemCalls() = FSaved; }
