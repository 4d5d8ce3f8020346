#include "albums/core/AlbumFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "albums/core/Cp1252.h"

namespace {

const char* const kEmptyAlbum = "You need to have entries in the Album to save";

std::string RightAligned(std::string text, std::size_t width) {
  if (text.size() > width) text.resize(width);
  return std::string(width - text.size(), ' ') + text;
}

std::string Flag(bool on) { return on ? "1" : "0"; }

std::string Header(const TAlbumSettings& s) {
  const TCaptionFont& f = s.Font;
  // A font name is the user's text: characters without a single-byte form cannot be kept.
  std::string fontName = Utf8ToCp1252(f.Name).value_or("Arial");
  std::string header;
  header += RightAligned(std::to_string(std::clamp(s.Rows, kMinCells, kMaxCells)), 3);
  header += RightAligned(std::to_string(std::clamp(s.Cols, kMinCells, kMaxCells)), 3);
  header += RightAligned(std::to_string(std::clamp(s.Border, kMinBorder, kMaxBorder)), 3);
  header += Flag(s.PrintFrames);
  header += std::to_string(std::clamp(static_cast<int>(s.Caption), 0, 2));
  header += RightAligned(fontName, 40);
  header += RightAligned(std::to_string(std::clamp(f.Size, kMinCaptionPoints, kMaxCaptionPoints)), 2);
  header += RightAligned(std::to_string(f.Color), 12);
  header += Flag(f.Bold);
  header += Flag(f.Italic);
  return header;
}

// An integer field (leading and trailing spaces allowed); nothing when it is not one.
template <class T>
std::optional<T> ParseField(const std::string& field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const char* begin = field.data() + first;
  const char* end = field.data() + field.find_last_not_of(' ') + 1;
  if (*begin == '+') ++begin;
  T value{};
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

template <class T>
T RequiredField(const std::string& bytes, std::size_t offset, std::size_t size, const char* what) {
  const std::optional<T> value = ParseField<T>(bytes.substr(offset, size));
  if (!value) throw EAlbumError(std::string("its ") + what + " is not a number");
  return *value;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

TAlbumSettings DecodeSettings(const std::string& b) {
  TAlbumSettings s;
  s.Rows = ParseSetting(b.substr(0, 3), kMinCells, kMaxCells).value_or(kDefaultRows);
  s.Cols = ParseSetting(b.substr(3, 3), kMinCells, kMaxCells).value_or(kDefaultCols);
  s.Border = ParseSetting(b.substr(6, 3), kMinBorder, kMaxBorder).value_or(kDefaultBorder);
  s.PrintFrames = b[9] == '1';
  const int option = RequiredField<int>(b, 10, 1, "caption option");
  s.Caption = option >= 0 && option <= 2 ? static_cast<TCaptionOption>(option)
                                         : TCaptionOption::coNone;
  const std::string name = Trimmed(b.substr(11, 40));
  s.Font.Name = name.empty() ? "Arial" : Cp1252ToUtf8(name);
  s.Font.Size = std::clamp(RequiredField<int>(b, 51, 2, "caption font size"), kMinCaptionPoints,
                           kMaxCaptionPoints);
  s.Font.Color = RequiredField<std::int32_t>(b, 53, 12, "caption font colour");
  s.Font.Bold = b[65] == '1';
  s.Font.Italic = b[66] == '1';
  return s;
}

// The records: path up to a TAB, caption up to the line end. A record without a TAB ends at
// its line end with an empty caption; the end of the file ends the last record.
std::vector<TAlbumEntry> DecodeEntries(const std::string& b) {
  std::vector<TAlbumEntry> entries;
  std::size_t pos = kAlbumRecordsOffset;
  while (pos < b.size()) {
    TAlbumEntry entry;
    std::size_t end = b.find_first_of("\t\r\n", pos);
    if (end == std::string::npos) end = b.size();
    entry.Path = Cp1252ToUtf8(b.substr(pos, end - pos));
    pos = end;
    if (pos < b.size() && b[pos] == '\t') {
      end = b.find_first_of("\r\n", ++pos);
      if (end == std::string::npos) end = b.size();
      entry.Caption = Cp1252ToUtf8(b.substr(pos, end - pos));
      pos = end;
    }
    if (pos < b.size() && b[pos] == '\r') ++pos;
    if (pos < b.size() && b[pos] == '\n') ++pos;
    if (!entry.Path.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

std::string SystemMessage(int error) { return std::strerror(error); }

}  // namespace

std::string EncodeAlbum(const TAlbum& album) {
  if (album.Entries.empty()) throw EAlbumError(kEmptyAlbum);
  std::string bytes = Header(album.Settings);
  bytes.append(kAlbumReservedSize, ' ');
  for (const TAlbumEntry& e : album.Entries) {
    if (const auto problem = AlbumPathProblem(e.Path)) throw EAlbumError(*problem);
    const std::string caption = CleanCaption(e.Caption);
    const std::optional<std::string> encodedCaption = Utf8ToCp1252(caption);
    if (!encodedCaption) throw EAlbumError(*AlbumCaptionProblem(caption));
    bytes += *Utf8ToCp1252(e.Path);
    bytes += '\t';
    bytes += *encodedCaption;
    bytes += "\r\n";
  }
  return bytes;
}

TAlbum DecodeAlbum(const std::string& bytes) {
  if (bytes.size() < kAlbumRecordsOffset)
    throw EAlbumError("it ends before the album settings (" + std::to_string(bytes.size()) +
                      " bytes)");
  TAlbum album;
  album.Settings = DecodeSettings(bytes);
  album.Entries = DecodeEntries(bytes);
  return album;
}

TAlbum ReadAlbumFile(const std::string& path) {
  const auto fail = [&path](const std::string& why) {
    return EAlbumError("Cannot open the album " + path + ": " + why + ".");
  };
  std::ifstream in(path, std::ios::binary);
  if (!in) throw fail(SystemMessage(errno));
  struct stat st {};
  if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) throw fail("it is not a file");
  std::string bytes;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxAlbumFileSize) throw fail("it is too large to be an album file");
  }
  if (in.bad()) throw fail("it cannot be read");
  try {
    return DecodeAlbum(bytes);
  } catch (const EAlbumError& e) {
    throw fail(std::string("it is not an album file (") + e.what() + ")");
  }
}

namespace {

// Writes all bytes; false on failure with errno set.
bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

void WriteAlbumFile(const TAlbum& album, const std::string& path) {
  const std::string bytes = EncodeAlbum(album);
  const auto fail = [&path](int error) {
    return EAlbumError("Cannot save the album " + path + ": " + SystemMessage(error) + ".");
  };
  std::string temporary = FolderOf(path) + "/.lumivex-album-XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) throw fail(errno);
  struct stat st {};
  mode_t mode = 0;
  if (stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  const bool written = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
  const int writeError = errno;
  if (::close(fd) != 0 || !written) {
    const int error = written ? errno : writeError;
    ::unlink(temporary.c_str());
    throw fail(error);
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throw fail(error);
  }
}
