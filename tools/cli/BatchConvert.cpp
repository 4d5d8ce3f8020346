#include "tools/cli/BatchConvert.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <new>
#include <ostream>
#include <set>
#include <thread>

#include "convert/core/ConvertFile.h"
#include "convert/core/TargetName.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/Registry.h"
#include "tools/cli/BatchInputs.h"
#include "tools/cli/GIFOutput.h"

namespace fs = std::filesystem;

namespace {

enum class TOverwrite { Ask, Never, Always, Rename };

struct TBatchOptions {
  std::vector<std::string> Inputs;
  std::string Extension;
  std::string OutFolder;
  bool Recursive = false;
  TOverwrite Overwrite = TOverwrite::Ask;
  int Jobs = 0;
  TConversion Conversion;
};

struct TBatchItem {
  TBatchInput Input;
  std::string Target;
  bool Skipped = false;
  bool Failed = false;
  std::vector<std::string> Messages;  // warnings and the failure, in order
};

int ParseNumber(const std::string& name, const std::string& value, int low, int high) {
  int n = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (ec != std::errc() || end != value.data() + value.size() || n < low || n > high)
    throw TUsageError{name + " expects a number " + std::to_string(low) + ".." +
                      std::to_string(high) + ", not \"" + value + "\""};
  return n;
}

void ParseFit(const std::string& value, TConversion& conversion) {
  const std::size_t x = value.find_first_of("xX");
  if (x == std::string::npos) throw TUsageError{"--fit expects WxH, not \"" + value + "\""};
  conversion.Resize = true;
  conversion.FitWidth = ParseNumber("--fit", value.substr(0, x), 1, 1 << 20);
  conversion.FitHeight = ParseNumber("--fit", value.substr(x + 1), 1, 1 << 20);
}

std::string TargetExtension(std::string to) {
  to = LowerCase(to);
  if (!to.empty() && to[0] == '.') to.erase(0, 1);
  if (to == "jpeg") to = "jpg";
  if (to == "tiff") to = "tif";
  if (to != "gif" && (to.empty() || FindWriter(to) == nullptr))
    throw TUsageError{"--to names no format that can be written: \"" + to + "\""};
  return to;
}

void ApplyOption(const std::string& name, const std::string& value, TBatchOptions& options) {
  TConversion& c = options.Conversion;
  if (name == "--to") {
    options.Extension = TargetExtension(value);
  } else if (name == "--out") {
    options.OutFolder = value;
  } else if (name == "--fit") {
    ParseFit(value, c);
  } else if (name == "--quality") {
    if (value == "fast") c.Quality = smFast;
    else if (value == "medium") c.Quality = smMedium;
    else if (value == "precise") c.Quality = smPrecise;
    else throw TUsageError{"--quality expects fast, medium or precise, not \"" + value + "\""};
  } else if (name == "--jpeg-quality") {
    c.JPEGQuality = ParseNumber(name, value, 1, 100);
  } else if (name == "--gif-transparent") {
    c.GIF.Transparent = true;
    c.GIF.TransparentColor = ParseTransparentColor(value);
  } else if (name == "--overwrite") {
    if (value == "ask") options.Overwrite = TOverwrite::Ask;
    else if (value == "never") options.Overwrite = TOverwrite::Never;
    else if (value == "always") options.Overwrite = TOverwrite::Always;
    else if (value == "rename") options.Overwrite = TOverwrite::Rename;
    else throw TUsageError{"--overwrite expects ask, never, always or rename, not \"" + value + "\""};
  } else if (name == "--jobs") {
    options.Jobs = ParseNumber(name, value, 1, 256);
  } else if (name == "--set") {
    ApplySetOption(value);
  } else if (name == "--warn") {
    if (value == "ignore") c.WarningAction = pgwaIgnore;
    else if (value == "ok") c.WarningAction = pgwaOKBox;
    else if (value == "raise") c.WarningAction = pgwaRaise;
    else throw TUsageError{"--warn expects ignore, ok or raise, not \"" + value + "\""};
  }
}

TBatchOptions ParseBatchOptions(const std::vector<std::string>& args) {
  TBatchOptions options;
  std::vector<std::string> rest;
  for (const std::string& a : args) {
    if (a == "--recursive") options.Recursive = true;
    else if (a == "--sharpen") options.Conversion.Sharpen = true;
    else if (a == "--interlaced") options.Conversion.GIF.Interlaced = true;
    else rest.push_back(a);
  }
  const TParsedArgs parsed =
      ParseArgs(rest, {"--to", "--out", "--fit", "--quality", "--jpeg-quality",
                       "--gif-transparent", "--overwrite", "--jobs", "--set", "--warn"});
  for (const auto& [name, value] : parsed.Options) ApplyOption(name, value, options);
  if (parsed.Positional.empty()) throw TUsageError{"expects at least one INPUT"};
  if (options.Extension.empty()) throw TUsageError{"--to needs a format"};
  options.Inputs = parsed.Positional;
  if (options.Jobs == 0)
    options.Jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return options;
}

bool AskOverwrite(const std::string& target, TCliContext& context) {
  context.Err << target << " exists. Overwrite? [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

// Chooses each item's target before any file is written, in input order, so the result does
// not depend on the number of jobs. Two inputs never share a target: the later one takes the
// "!" name.
void PlanTargets(std::vector<TBatchItem>& items, const TBatchOptions& options,
                 TCliContext& context) {
  TOverwrite policy = options.Overwrite;
  if (policy == TOverwrite::Ask && !(isatty(STDIN_FILENO) && isatty(STDERR_FILENO)))
    policy = TOverwrite::Never;
  std::set<std::string> planned;
  for (TBatchItem& item : items) {
    std::string target = options.OutFolder.empty()
                             ? ConvertedName(item.Input.Path, options.Extension)
                             : ConvertedName(options.OutFolder + "/" + item.Input.Relative,
                                             options.Extension);
    std::error_code ec;
    while (planned.count(target) || fs::exists(target, ec)) {
      if (planned.count(target)) {
        target = BangName(target);
        continue;
      }
      if (policy == TOverwrite::Always) break;
      if (policy == TOverwrite::Never) {
        item.Skipped = true;
        break;
      }
      if (policy == TOverwrite::Ask && AskOverwrite(target, context)) break;
      target = BangName(target);
    }
    item.Target = target;
    if (!item.Skipped) planned.insert(target);
  }
}

void ConvertItem(TBatchItem& item, const TBatchOptions& options,
                 const TPGFormatContext& base) {
  TPGFormatContext formats = base;
  formats.WarningBox = [&item](const std::string& caption, const std::string& text, bool) {
    item.Messages.push_back(caption + ": " + ForTerminal(text));
    return true;
  };
  try {
    const fs::path folder = fs::path(item.Target).parent_path();
    std::error_code ec;
    if (!folder.empty()) fs::create_directories(folder, ec);
    const TConversionResult result =
        ConvertFile(item.Input.Path, item.Target, options.Conversion, formats);
    if (!result.TransparentColorFound)
      item.Messages.push_back("the transparent colour does not occur: the GIF has none");
  } catch (const std::bad_alloc&) {
    item.Failed = true;
    item.Messages.push_back("out of memory");
  } catch (const std::exception& e) {
    item.Failed = true;
    item.Messages.push_back(ForTerminal(e.what()));
  }
}

void ConvertAll(std::vector<TBatchItem>& items, const TBatchOptions& options,
                TCliContext& context) {
  const TPGFormatContext base = CaptureFormatContext();
  const bool progress = isatty(STDERR_FILENO);
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> done{0};
  std::mutex progressLock;
  auto work = [&] {
    for (std::size_t i = next++; i < items.size(); i = next++) {
      TBatchItem& item = items[i];
      if (!item.Skipped) ConvertItem(item, options, base);
      const std::size_t count = ++done;
      if (!progress) continue;
      std::lock_guard lock(progressLock);
      context.Err << "[" << count << "/" << items.size() << "] " << item.Input.Path
                  << (item.Skipped ? " skipped" : item.Failed ? " failed" : " -> " + item.Target)
                  << "\n" << std::flush;
    }
  };
  const int threads = std::min<int>(options.Jobs, static_cast<int>(items.size()));
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
}

}  // namespace

bool IsBatchConvert(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "--to" || a.rfind("--to=", 0) == 0) return true;
  return false;
}

int RunBatchConvert(const std::vector<std::string>& args, TCliContext& context) {
  const TBatchOptions options = ParseBatchOptions(args);
  std::vector<std::string> errors;
  std::vector<TBatchItem> items;
  for (TBatchInput& input : CollectBatchInputs(options.Inputs, options.Recursive, errors))
    items.push_back({std::move(input), {}, false, false, {}});
  PlanTargets(items, options, context);
  ConvertAll(items, options, context);
  int converted = 0, failed = static_cast<int>(errors.size()), skipped = 0;
  for (const std::string& e : errors) context.Err << "lumivex-cli: " << e << "\n";
  for (const TBatchItem& item : items) {
    for (const std::string& m : item.Messages)
      context.Err << "lumivex-cli: " << item.Input.Path << ": " << m << "\n";
    if (item.Skipped) {
      ++skipped;
      context.Err << "lumivex-cli: " << item.Input.Path << ": skipped, " << item.Target
                  << " exists\n";
    } else if (item.Failed) {
      ++failed;
    } else {
      ++converted;
    }
  }
  context.Out << converted << " converted, " << failed << " failed, " << skipped << " skipped\n";
  return failed > 0 ? kExitFailure : kExitOK;
}
