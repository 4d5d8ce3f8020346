// Stored page-setup defaults and folder masks as arbitrary text: lines "name=value" are the
// stored values; the first line also serves as a mask matched against the others.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "print/core/FolderFiles.h"
#include "print/core/PageSetupStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::map<std::string, std::string> store;
  std::string firstLine;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start);
    if (start == 0) firstLine = line;
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos) store[line.substr(0, eq)] = line.substr(eq + 1);
    WildcardMatches(firstLine.substr(0, 64), line.substr(0, 256));
    ParseMarginText(line, ',', '.');
    start = end + 1;
  }
  TPageSetupValues values;
  LoadStoredPageSetup(
      values,
      [&](const std::string& name) -> std::optional<std::string> {
        auto it = store.find(name);
        if (it == store.end()) return std::nullopt;
        return it->second;
      },
      TPaperInches{});
  if (CheckPageSetup(values, TPaperInches{})) __builtin_trap();  // loading keeps values that fit
  ListedBefore(firstLine, text);
  SplitMask(firstLine);
  return 0;
}
