#include <ostream>

#include "imaging/formats/Registry.h"
#include "tools/cli/Cli.h"

int RunInfo(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed = ParseArgs(args, {"--index", "--set"});
  int index = 0;
  for (const auto& [name, value] : parsed.Options) {
    if (name == "--set")
      ApplySetOption(value);
    else
      index = ParseIndex(name, value);
  }
  if (parsed.Positional.size() != 1) throw TUsageError{"expects exactly one FILE"};
  const std::string& file = parsed.Positional[0];

  TPGFileInfoResult info;
  if (!GetFileInfo(file, index, info)) {
    // A file that describes its first image has fewer images than asked for.
    TPGFileInfoResult first;
    if (index > 0 && GetFileInfo(file, 0, first)) {
      context.Err << "lumivex-cli: " << file << ": no image " << index << " (the file holds "
                  << first.ImageCount << ")\n";
      return kExitFailure;
    }
    context.Err << "lumivex-cli: " << file << ": not a recognised picture file\n";
    return kExitFailure;
  }
  context.Out << "Format: " << info.FormatDescription << "\n"
              << "Images: " << info.ImageCount << "\n"
              << "BitsPerPixel: " << info.BitsPerPixel << "\n"
              << "Colors: " << info.ColorsText << "\n"
              << "Width: " << info.Width << "\n"
              << "Height: " << info.Height << "\n"
              << "Description: " << info.DescriptionText << "\n"
              << "Version: " << info.VersionText << "\n";
  return kExitOK;
}
