// File commands: search by name pattern, move without replacing, move to the trash.
#include <atomic>
#include <ostream>

#include "files/FileOps.h"
#include "files/FileSearch.h"
#include "platform/Trash.h"
#include "platform/Volumes.h"
#include "tools/cli/Cli.h"

namespace {

class TPrintingSink : public TSearchSink {
 public:
  explicit TPrintingSink(std::ostream& out) : FOut(out) {}
  void Found(const std::string& path) override { FOut << path << '\n'; }

 private:
  std::ostream& FOut;
};

}  // namespace

int RunSearch(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed = ParseArgs(args, {});
  bool all = false;
  for (const auto& [name, value] : parsed.Options) {
    if (name == "all-volumes") all = true;
    else throw TUsageError{"unknown option --" + name};
  }
  if (parsed.Positional.empty()) throw TUsageError{"a pattern is needed"};
  TSearchRequest request;
  request.Pattern = parsed.Positional[0];
  request.Roots.assign(parsed.Positional.begin() + 1, parsed.Positional.end());
  if (all) request.Roots = MountedVolumes();
  if (request.Roots.empty()) request.Roots.push_back(".");
  const std::atomic<bool> stop{false};
  TPrintingSink sink(context.Out);
  const TSearchResult result = SearchFiles(request, stop, sink);
  context.Out.flush();
  context.Err << result.Count << " files found\n";
  return kExitOK;
}

int RunMove(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed = ParseArgs(args, {});
  if (!parsed.Options.empty()) throw TUsageError{"unknown option --" + parsed.Options[0].first};
  if (parsed.Positional.size() != 2) throw TUsageError{"a source and a target are needed"};
  try {
    RelocateFile(parsed.Positional[0], parsed.Positional[1]);
  } catch (const EFileError& e) {
    context.Err << e.Detailed() << '\n';
    return kExitFailure;
  }
  return kExitOK;
}

int RunTrash(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed = ParseArgs(args, {});
  if (!parsed.Options.empty()) throw TUsageError{"unknown option --" + parsed.Options[0].first};
  if (parsed.Positional.empty()) throw TUsageError{"a file is needed"};
  int status = kExitOK;
  for (const std::string& path : parsed.Positional) {
    std::string reason;
    if (!RecycleFile(path, &reason)) {
      context.Err << "Error moving " << path << " to recycle bin: " << reason << '\n';
      status = kExitFailure;
    }
  }
  return status;
}
