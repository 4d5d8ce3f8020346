#include <ostream>

#include "imaging/formats/ColorResolution.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/Registry.h"
#include "tools/cli/Cli.h"

namespace {
std::string Padded(std::string s, std::size_t width) {
  if (s.size() < width) s.resize(width, ' ');
  return s;
}
}  // namespace

int RunFormats(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed = ParseArgs(args, {});
  if (!parsed.Positional.empty()) throw TUsageError{"takes no arguments"};
  const auto lock = LockFormatRegistry();
  SortFileFormatReaders();
  SortFileFormatWriters();
  std::ostream& out = context.Out;
  out << "Readers:\n";
  for (const auto& r : FileFormatReaders())
    out << "  " << Padded(r->Extension, 6) << Padded(r->Description, 26)
        << (r->HasHeaderCheck ? "recognised by content" : "recognised by extension only")
        << "\n";
  out << "Writers:\n";
  for (const auto& w : FileFormatWriters()) {
    std::string classes;
    for (int c = crBlackWhite; c <= crTrueColor; ++c)
      if (w->CanWrite(static_cast<TColorResolution>(c)))
        classes += (classes.empty() ? "" : ", ") +
                   ColorResolutionText(static_cast<TColorResolution>(c));
    out << "  " << Padded(w->Extension, 6) << Padded(w->Description, 26) << classes << "\n";
  }
  out << "Settings (change with convert --set NAME=VALUE):\n";
  for (const std::string& name : FormatSettingNames())
    out << "  " << name << "=" << FormatSettingValue(name) << "\n";
  return kExitOK;
}
