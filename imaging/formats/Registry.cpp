#include "imaging/formats/Registry.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cctype>

#include "imaging/PGLibrary.h"
#include "imaging/formats/FormatContext.h"
#include "imaging/formats/StandardFormats.h"

namespace {

struct TRegistry {
  std::recursive_mutex Lock;
  TFileFormatReaderList Readers;
  TFileFormatWriterList Writers;
  std::unique_ptr<TFileFormatReader> BMPReader;
  std::unique_ptr<TFileFormatWriter> BMPWriter;

  TRegistry() {
    ResetFormatSettings();
    RegisterLibraryFormats(Readers, Writers);
    BMPReader = MakeLibraryBMPReader();
    BMPWriter = MakeLibraryBMPWriter();
  }
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

template <class List>
void SortByExtension(List& list) {
  auto less = [](const auto& a, const auto& b) {
    return LowerCase(a->Extension) < LowerCase(b->Extension);
  };
  if (std::is_sorted(list.begin(), list.end(), less)) return;
  std::stable_sort(list.begin(), list.end(), less);
}

std::string WithoutDot(const std::string& extension) {
  return !extension.empty() && extension[0] == '.' ? extension.substr(1) : extension;
}

}  // namespace

std::string LowerCase(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

std::string ExtensionOf(const std::string& fileName) {
  const auto slash = fileName.find_last_of('/');
  const auto dot = fileName.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return LowerCase(fileName.substr(dot + 1));
}

void InitFormatLibrary() {
  static const bool started = [] {
    InitImagingLibrary();
    Registry();
    return true;
  }();
  (void)started;
}

TFileFormatReaderList& FileFormatReaders() { return Registry().Readers; }
TFileFormatWriterList& FileFormatWriters() { return Registry().Writers; }
TFileFormatReader& LibraryBMPReader() { return *Registry().BMPReader; }
TFileFormatWriter& LibraryBMPWriter() { return *Registry().BMPWriter; }

std::unique_lock<std::recursive_mutex> LockFormatRegistry() {
  return std::unique_lock<std::recursive_mutex>(Registry().Lock);
}

void RegisterFileFormatReader(std::unique_ptr<TFileFormatReader> reader) {
  const auto lock = LockFormatRegistry();
  FileFormatReaders().push_back(std::move(reader));
}

void SortFileFormatReaders() {
  const auto lock = LockFormatRegistry();
  SortByExtension(FileFormatReaders());
}

void SortFileFormatWriters() {
  const auto lock = LockFormatRegistry();
  SortByExtension(FileFormatWriters());
}

TFileFormatReader* FindReader(TPGStream& stream, const std::string& extension) {
  try {
    const std::string ext = LowerCase(WithoutDot(extension));
    // Bytes beyond the end of a short stream count as zero.
    std::array<std::uint8_t, PGHeaderCheckSize> header{};
    const std::int64_t position = stream.Position();
    stream.Read(header.data(), header.size());
    stream.Seek(position);

    const auto lock = LockFormatRegistry();
    SortFileFormatReaders();
    for (const auto& reader : FileFormatReaders())
      if (reader->HasHeaderCheck && reader->CheckHeader(header.data())) return reader.get();
    if (!ext.empty()) {
      for (const auto& reader : FileFormatReaders())
        if (!reader->HasHeaderCheck && LowerCase(reader->Extension) == ext) return reader.get();
    }
  } catch (...) {
  }
  return nullptr;
}

TFileFormatWriter* FindWriter(const std::string& extension) {
  const std::string ext = LowerCase(WithoutDot(extension));
  const auto lock = LockFormatRegistry();
  SortFileFormatWriters();
  for (const auto& writer : FileFormatWriters())
    if (LowerCase(writer->Extension) == ext) return writer.get();
  return nullptr;
}

bool GetFileInfo(const std::string& fileName, int index, TPGFileInfoResult& info) {
  info = TPGFileInfoResult{};
  try {
    const auto slash = fileName.find_last_of('/');
    const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    if (name.empty()) return false;
    struct stat st {};
    if (stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    TPGFileStream stream(fileName, TPGFileStream::fmRead);
    TFileFormatReader* reader = FindReader(stream, ExtensionOf(fileName));
    if (!reader) return false;
    const std::int64_t position = stream.Position();
    TPGFileInfo result = reader->GetInfo(stream, index, CaptureFormatContext());
    stream.Seek(position);
    static_cast<TPGFileInfo&>(info) = result;
    info.FormatDescription = reader->Description;
    return true;
  } catch (...) {
    info = TPGFileInfoResult{};
    return false;
  }
}

std::uint64_t PGUncheckedStorageBytes = 0;

bool PGStorageIsPlausible(std::uint64_t width, std::uint64_t height, int bitCount,
                          std::int64_t dataLeft, double maxExpansion) {
  constexpr std::uint64_t kFreeBytes = std::uint64_t{256} << 20;
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
  const std::uint64_t rowBytes = ((width * static_cast<std::uint64_t>(bitCount) + 31) / 32) * 4;
  const long double storage = static_cast<long double>(rowBytes) * height;
  if (storage >= static_cast<long double>(PGMaxImageBytes)) return false;
  if (storage <= static_cast<long double>(PGUncheckedStorageBytes ? PGUncheckedStorageBytes
                                                                  : kFreeBytes))
    return true;
  return storage <= static_cast<long double>(std::max<std::int64_t>(dataLeft, 0)) * maxExpansion;
}
