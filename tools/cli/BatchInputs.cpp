#include "tools/cli/BatchInputs.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "imaging/formats/Registry.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> ReaderExtensions() {
  std::set<std::string> extensions;
  auto lock = LockFormatRegistry();
  for (const auto& reader : FileFormatReaders()) extensions.insert(LowerCase(reader->Extension));
  extensions.insert("bmp");
  if (extensions.count("jpg")) extensions.insert("jpeg");
  if (extensions.count("tif")) extensions.insert("tiff");
  return extensions;
}

void CollectFolder(const fs::path& folder, const std::string& prefix, bool recursive,
                   const std::set<std::string>& extensions, std::vector<TBatchInput>& out,
                   std::vector<std::string>& errors) {
  std::error_code ec;
  std::vector<fs::directory_entry> entries;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    entries.push_back(*it);
  if (ec) {
    errors.push_back(folder.string() + ": " + ec.message());
    return;
  }
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
  for (const auto& entry : entries) {
    const std::string name = entry.path().filename().string();
    std::error_code typeError;
    if (entry.is_directory(typeError)) {
      if (recursive && !entry.is_symlink(typeError))
        CollectFolder(entry.path(), prefix + name + "/", recursive, extensions, out, errors);
    } else if (entry.is_regular_file(typeError) && extensions.count(ExtensionOf(name))) {
      out.push_back({entry.path().string(), prefix + name});
    }
  }
}

}  // namespace

std::vector<TBatchInput> CollectBatchInputs(const std::vector<std::string>& inputs,
                                            bool recursive, std::vector<std::string>& errors) {
  const std::set<std::string> extensions = ReaderExtensions();
  std::vector<TBatchInput> out;
  for (const std::string& input : inputs) {
    std::error_code ec;
    if (fs::is_directory(input, ec))
      CollectFolder(input, "", recursive, extensions, out, errors);
    else
      out.push_back({input, fs::path(input).filename().string()});
  }
  return out;
}
