#include <charconv>
#include <exception>
#include <new>
#include <ostream>
#include <random>

#include "imaging/filters/FilterCatalog.h"
#include "imaging/formats/LoadSave.h"
#include "tools/cli/Cli.h"

namespace {

std::uint64_t ParseSeed(const std::string& value) {
  std::uint64_t seed = 0;
  const char* end = value.data() + value.size();
  auto [p, ec] = std::from_chars(value.data(), end, seed);
  if (value.empty() || ec != std::errc{} || p != end)
    throw TUsageError{"--seed expects a non-negative integer, not \"" + value + "\""};
  return seed;
}

}  // namespace

int RunFilterCommand(const std::vector<std::string>& args, TCliContext& context) {
  for (const std::string& a : args) {
    if (a == "--") break;
    if (a == "--list") {
      if (args.size() != 1) throw TUsageError{"--list takes no other arguments"};
      context.Out << DescribeFilters();
      return kExitOK;
    }
  }
  const TParsedArgs parsed = ParseArgs(args, {"--param", "--seed", "--threads"});
  std::vector<std::string> settings;
  bool seeded = false;
  std::uint64_t seed = 0;
  TPGFilterOptions options;
  for (const auto& [name, value] : parsed.Options) {
    if (name == "--param") {
      settings.push_back(value);
    } else if (name == "--seed") {
      seed = ParseSeed(value);
      seeded = true;
    } else {
      options.Threads = ParseIndex(name, value);
    }
  }
  if (parsed.Positional.size() != 3) throw TUsageError{"expects NAME, INPUT and OUTPUT"};
  const TFilterEntry* entry = FindFilterEntry(parsed.Positional[0]);
  if (!entry)
    throw TUsageError{"unknown filter \"" + parsed.Positional[0] + "\" (`lumivex-cli filter "
                      "--list` names them)"};
  TFilterArgs filterArgs;
  try {
    filterArgs = ParseFilterArgs(*entry, settings);
  } catch (const TFilterArgError& e) {
    throw TUsageError{entry->Name + ": " + e.what()};
  }
  if (!seeded) seed = (std::uint64_t{std::random_device{}()} << 32) | std::random_device{}();

  const std::string& input = parsed.Positional[1];
  const std::string& output = parsed.Positional[2];
  // This command's loads and saves tell their warnings on the error output.
  TPGFormatContext formats = CaptureFormatContext();
  formats.WarningBox = [&context](const std::string& caption, const std::string& text, bool) {
    context.Err << "lumivex-cli: " << caption << ": " << ForTerminal(text) << "\n";
    return true;
  };
  try {
    TPixelGraphic image;
    LoadFromFileIndex(image, input, 0, formats);
    if (image.Empty()) {
      context.Err << "lumivex-cli: " << input << ": no picture could be read\n";
      return kExitFailure;
    }
    RunFilter(*entry, filterArgs, image, seed, options);
    image.SaveColorResWarningAction = pgwaOKBox;
    SaveToFile(image, output, formats);
  } catch (const std::bad_alloc&) {
    context.Err << "lumivex-cli: out of memory\n";
    return kExitFailure;
  } catch (const std::exception& e) {
    context.Err << "lumivex-cli: " << ForTerminal(e.what()) << "\n";
    return kExitFailure;
  }
  return kExitOK;
}
