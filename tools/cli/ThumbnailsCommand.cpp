// lumivex-cli thumbnails: thumbnails of pictures through the shared thumbnail cache, made on
// the worker pool the thumbnail explorer uses.
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <ostream>

#include "imaging/formats/LoadSave.h"
#include "thumbs/core/ThumbnailCache.h"
#include "thumbs/core/ThumbnailPool.h"
#include "tools/cli/Cli.h"

namespace {

struct TTally {
  std::mutex Lock;
  std::condition_variable Done;
  int Count = 0, FromCache = 0, Placeholders = 0;
  std::vector<std::string> Failed;
  std::string OutDir;
  std::vector<std::string> WriteErrors;
};

}  // namespace

int RunThumbnails(const std::vector<std::string>& args, TCliContext& context) {
  std::vector<std::string> rest;
  bool useCache = true;
  for (const std::string& a : args)
    if (a == "--no-cache")
      useCache = false;
    else
      rest.push_back(a);
  const TParsedArgs parsed = ParseArgs(rest, {"--size", "--jobs", "--out-dir"});
  int size = 128, jobs = 0;
  TTally tally;
  for (const auto& [name, value] : parsed.Options) {
    if (name == "--size") size = ParseIndex(name, value);
    if (name == "--jobs") jobs = ParseIndex(name, value);
    if (name == "--out-dir") tally.OutDir = value;
  }
  if (size < 16 || size > 1024) throw TUsageError{"--size expects 16 to 1024"};
  if (parsed.Positional.empty()) throw TUsageError{"expects at least one FILE"};

  const TThumbnailCache cache(useCache ? TThumbnailCache::DefaultRoot() : std::string());
  const TThumbnailMaker maker(&cache);
  const int total = static_cast<int>(parsed.Positional.size());
  {
    TThumbnailPool pool(
        maker,
        [&](const TThumbnailJob& job, TThumbnailCell cell) {
          std::string writeError;
          if (cell.Cell && !tally.OutDir.empty()) {
            try {
              SaveToFile(*cell.Cell, (std::filesystem::path(tally.OutDir) /
                                      (std::filesystem::path(job.Path).stem().string() + ".png"))
                                         .string());
            } catch (const std::exception& e) {
              writeError = job.Path + ": " + e.what();
            }
          }
          std::lock_guard<std::mutex> hold(tally.Lock);
          if (!cell.Cell) tally.Failed.push_back(job.Path);
          if (cell.FromCache) ++tally.FromCache;
          if (cell.Placeholder) ++tally.Placeholders;
          if (!writeError.empty()) tally.WriteErrors.push_back(writeError);
          if (++tally.Count == total) tally.Done.notify_all();
        },
        jobs);
    pool.Start(1, parsed.Positional, size, RGBColor(254, 255, 230));
    std::unique_lock<std::mutex> hold(tally.Lock);
    tally.Done.wait(hold, [&] { return tally.Count == total; });
  }
  context.Out << tally.Count << " thumbnails, " << tally.FromCache << " from the cache, "
              << tally.Placeholders << " not readable\n";
  for (const std::string& f : tally.Failed) context.Err << "failed: " << f << "\n";
  for (const std::string& e : tally.WriteErrors) context.Err << ForTerminal(e) << "\n";
  return tally.Failed.empty() && tally.Placeholders == 0 && tally.WriteErrors.empty()
             ? kExitOK
             : kExitFailure;
}
