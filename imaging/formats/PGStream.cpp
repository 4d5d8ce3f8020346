#include "imaging/formats/PGStream.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "imaging/PGErrors.h"

namespace {
[[noreturn]] void RaiseIO(const std::string& what, const std::string& name) {
  throw EPixelGraphic(what + " \"" + name + "\": " + std::strerror(errno));
}
}  // namespace

TPGFileStream::TPGFileStream(const std::string& fileName, TMode mode)
    : FName(fileName), FWriting(mode == fmCreate) {
  FFile = std::fopen(fileName.c_str(), FWriting ? "w+b" : "rb");
  if (!FFile) RaiseIO(FWriting ? "Cannot create file" : "Cannot open file", fileName);
  FBuffer.resize(1 << 16);
  std::setvbuf(FFile, FBuffer.data(), _IOFBF, FBuffer.size());
}

TPGFileStream::~TPGFileStream() {
  if (FFile) std::fclose(FFile);
}

void TPGFileStream::Close() {
  if (!FFile) return;
  std::FILE* f = FFile;
  FFile = nullptr;
  const bool failed = std::fflush(f) != 0 || std::ferror(f);
  const bool closeFailed = std::fclose(f) != 0;
  if (failed || closeFailed) RaiseIO("Cannot write file", FName);
}

std::size_t TPGFileStream::Read(void* buffer, std::size_t n) {
  if (!FFile || n == 0) return 0;
  return std::fread(buffer, 1, n, FFile);
}

void TPGFileStream::Write(const void* buffer, std::size_t n) {
  if (n == 0) return;
  if (!FFile || std::fwrite(buffer, 1, n, FFile) != n) RaiseIO("Cannot write file", FName);
}

std::int64_t TPGFileStream::Position() const {
  return FFile ? static_cast<std::int64_t>(ftello(FFile)) : 0;
}

void TPGFileStream::Seek(std::int64_t position) {
  const off_t offset = static_cast<off_t>(std::max<std::int64_t>(position, 0));
  if (FFile && fseeko(FFile, offset, SEEK_SET) != 0)
    RaiseIO("Cannot seek in file", FName);
}

std::int64_t TPGFileStream::Size() const {
  if (!FFile) return 0;
  if (FWriting) std::fflush(FFile);  // buffered output counts
  struct stat st {};
  if (fstat(fileno(FFile), &st) != 0) return 0;
  return static_cast<std::int64_t>(st.st_size);
}

std::size_t TPGMemoryStream::Read(void* buffer, std::size_t n) {
  const std::int64_t size = Size();
  if (FPosition >= size || n == 0) return 0;
  const std::size_t count = std::min<std::size_t>(n, static_cast<std::size_t>(size - FPosition));
  std::memcpy(buffer, FData.data() + FPosition, count);
  FPosition += static_cast<std::int64_t>(count);
  return count;
}

void TPGMemoryStream::Write(const void* buffer, std::size_t n) {
  if (n == 0) return;
  const std::size_t end = static_cast<std::size_t>(FPosition) + n;
  if (end > FData.size()) FData.resize(end);
  std::memcpy(FData.data() + FPosition, buffer, n);
  FPosition = static_cast<std::int64_t>(end);
}

void TPGMemoryStream::Seek(std::int64_t position) {
  FPosition = std::max<std::int64_t>(position, 0);
}
