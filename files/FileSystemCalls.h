// The system calls through which the file routines read, write and close data. Tests replace
// them to make a write or a close fail the way a full or failing disk does.
#pragma once

#include <sys/types.h>

#include <cstddef>

struct TFileSystemCalls {
  ssize_t (*Read)(int fd, void* buffer, std::size_t count);
  ssize_t (*Write)(int fd, const void* buffer, std::size_t count);
  int (*Sync)(int fd);
  int (*Close)(int fd);
};

// The calls in use (the system's own unless a test replaced them).
TFileSystemCalls& FileSystemCalls();

// Replaces the calls for its lifetime (tests only).
class TFileSystemCallsOverride {
 public:
  explicit TFileSystemCallsOverride(const TFileSystemCalls& calls);
  ~TFileSystemCallsOverride();
  TFileSystemCallsOverride(const TFileSystemCallsOverride&) = delete;
  TFileSystemCallsOverride& operator=(const TFileSystemCallsOverride&) = delete;

 private:
  TFileSystemCalls FSaved;
};
