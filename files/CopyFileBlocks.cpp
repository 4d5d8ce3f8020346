#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "files/FileOps.h"
#include "files/FilePaths.h"
#include "files/FileSystemCalls.h"

namespace {

constexpr std::size_t kBlockSize = 8192;

// Owns a descriptor; closes it unchecked when a failure unwinds past it.
class TDescriptor {
 public:
  explicit TDescriptor(int fd) : FFd(fd) {}
  ~TDescriptor() {
    if (FFd >= 0) FileSystemCalls().Close(FFd);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return FFd; }
  // Closes and reports the result (0 or the errno of the failed close).
  int Close() {
    const int fd = FFd;
    FFd = -1;
    return FileSystemCalls().Close(fd) == 0 ? 0 : errno;
  }

 private:
  int FFd;
};

[[noreturn]] void Fail(const char* pattern, const std::string& path, int error) {
  throw EFileError(FormatFileMessage(pattern, path), SystemReason(error));
}

[[noreturn]] void Fail(const char* pattern, const std::string& path, const char* reason) {
  throw EFileError(FormatFileMessage(pattern, path), reason);
}

void WriteAll(int fd, const char* data, std::size_t count, const std::string& target) {
  while (count > 0) {
    const ssize_t n = FileSystemCalls().Write(fd, data, count);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail("Cannot write file %s", target, errno);
    if (n == 0) Fail("Cannot write file %s", target, "the disk took no more data");
    data += n;
    count -= static_cast<std::size_t>(n);
  }
}

// Copies every byte of `in` to `out`; returns the number of bytes copied.
std::int64_t CopyBytes(int in, int out, const std::string& source, const std::string& target) {
  char buffer[kBlockSize];
  std::int64_t total = 0;
  for (;;) {
    const ssize_t n = FileSystemCalls().Read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail("Cannot read file %s", source, errno);
    if (n == 0) return total;
    WriteAll(out, buffer, static_cast<std::size_t>(n), target);
    total += n;
  }
}

void CopyInto(int in, std::int64_t size, int out, const std::string& source,
              const std::string& target, bool sync) {
  const std::int64_t copied = CopyBytes(in, out, source, target);
  struct stat after {};
  if (fstat(in, &after) != 0) Fail("Cannot read file %s", source, errno);
  if (copied != size || after.st_size != size)
    Fail("Cannot read file %s", source, "the file changed while it was copied");
  if (sync && FileSystemCalls().Sync(out) != 0) Fail("Cannot write file %s", target, errno);
}

}  // namespace

void CopyFileBlocks(const std::string& source, const std::string& targetPath, bool sync) {
  const std::string target = AbsolutePath(targetPath);
  TDescriptor in(open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (in.Get() < 0) Fail("Cannot open file %s", source, errno);
  struct stat st {};
  if (fstat(in.Get(), &st) != 0) Fail("Cannot open file %s", source, errno);
  if (!S_ISREG(st.st_mode)) Fail("Cannot open file %s", source, "not a regular file");
  // Regular files ignore O_NONBLOCK; it only kept a FIFO from blocking the open.
  fcntl(in.Get(), F_SETFL, fcntl(in.Get(), F_GETFL) & ~O_NONBLOCK);

  TDescriptor out(open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (out.Get() < 0) Fail("Cannot create file %s", target, errno);
  try {
    CopyInto(in.Get(), st.st_size, out.Get(), source, target, sync);
    if (const int error = out.Close(); error != 0) Fail("Cannot write file %s", target, error);
  } catch (...) {
    if (out.Get() >= 0) out.Close();
    unlink(target.c_str());
    throw;
  }
}
