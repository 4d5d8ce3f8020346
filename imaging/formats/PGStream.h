// A small stream abstraction for readers and writers: files and memory blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class TPGStream {
 public:
  virtual ~TPGStream() = default;
  // Reads up to n bytes; returns how many were read (fewer only at the end of the data).
  virtual std::size_t Read(void* buffer, std::size_t n) = 0;
  // Writes n bytes; raises EPixelGraphic when they cannot be written.
  virtual void Write(const void* buffer, std::size_t n) = 0;
  virtual std::int64_t Position() const = 0;
  // Moves to an absolute position (may lie past the end; reads there return nothing).
  virtual void Seek(std::int64_t position) = 0;
  virtual std::int64_t Size() const = 0;

  std::int64_t Remaining() const {
    const std::int64_t r = Size() - Position();
    return r > 0 ? r : 0;
  }
  void Skip(std::int64_t n) { Seek(Position() + n); }
  // Reads exactly n bytes or returns false (the bytes that were there are stored).
  bool ReadFull(void* buffer, std::size_t n) { return Read(buffer, n) == n; }
};

class TPGFileStream : public TPGStream {
 public:
  enum TMode { fmRead, fmCreate };
  // Raises EPixelGraphic when the file cannot be opened or created.
  TPGFileStream(const std::string& fileName, TMode mode);
  ~TPGFileStream() override;
  TPGFileStream(const TPGFileStream&) = delete;
  TPGFileStream& operator=(const TPGFileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t n) override;
  void Write(const void* buffer, std::size_t n) override;
  std::int64_t Position() const override;
  void Seek(std::int64_t position) override;
  std::int64_t Size() const override;
  // Flushes and closes; raises when buffered data cannot be written.
  void Close();

 private:
  std::FILE* FFile = nullptr;
  std::string FName;
  bool FWriting = false;
  std::vector<char> FBuffer;
};

class TPGMemoryStream : public TPGStream {
 public:
  TPGMemoryStream() = default;
  explicit TPGMemoryStream(std::vector<std::uint8_t> data) : FData(std::move(data)) {}
  TPGMemoryStream(const void* data, std::size_t n)
      : FData(static_cast<const std::uint8_t*>(data),
              static_cast<const std::uint8_t*>(data) + n) {}

  std::size_t Read(void* buffer, std::size_t n) override;
  void Write(const void* buffer, std::size_t n) override;
  std::int64_t Position() const override { return FPosition; }
  void Seek(std::int64_t position) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(FData.size()); }

  const std::vector<std::uint8_t>& Data() const { return FData; }

 private:
  std::vector<std::uint8_t> FData;
  std::int64_t FPosition = 0;
};

// Little-endian helpers for header parsing.
inline std::uint16_t GetLE16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t GetLE32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void PutLE16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void PutLE32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
