// The desktop integration's text readers on arbitrary input: open macros received over the
// channel, desktop entry command lines, a user's mimeapps.list and an editor's desktop entry.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/shell/Associations.h"
#include "app/shell/ExecLine.h"
#include "app/shell/ExternalEditor.h"
#include "app/shell/Macros.h"

namespace {

std::size_t CountLines(const std::string& text) {
  std::size_t n = 0;
  for (char c : text) n += c == '\n';
  return n + (!text.empty() && text.back() != '\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  // Macros: every path a macro may carry comes back whole, also beside another macro.
  LastMacroTarget(SplitMacros(text));
  const std::string path = text.substr(0, text.find('\n'));
  if (const auto macro = OpenMacroFor(path)) {
    const TMacroList split = SplitMacros(*macro + *macro);
    if (split.size() != 2 || MacroPath(split[0]) != path || MacroPath(split[1]) != path)
      __builtin_trap();
  }

  // Command lines: what is written reads back as the same arguments.
  try {
    ExpandFileFieldCodes(SplitExecValue(text), "/t/a b;c.jpg");
  } catch (const EExecLineError&) {
  }
  std::vector<std::string> arguments;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\0', start), text.size());
    arguments.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (!arguments.empty() && SplitExecValue(ExecValue(arguments, "")) != arguments) __builtin_trap();

  // mimeapps.list: our keys are added, no other line is lost.
  const std::string edited = WithDefaults(text, "lumivex.desktop", {"image/png", "image/gif"});
  if (CountLines(edited) < CountLines(text)) __builtin_trap();
  DesktopEntryExec(text);
  return 0;
}
