#include "mover/core/Transfer.h"

#include "files/FileOps.h"
#include "files/FilePaths.h"
#include "mover/core/MoverRules.h"

namespace {

std::string ExistsMessage(const std::string& target) {
  return "file " + target + " already exists. Select another directory before moving";
}

}  // namespace

TTransferOutcome TransferFiles(const std::string& sourceFolder, const std::vector<std::string>& names,
                               const std::string& targetFolder, TTransferKind kind,
                               const std::string& remembered,
                               const std::function<void(const std::string& message)>& report,
                               const std::function<void(std::size_t index)>& done) {
  TTransferOutcome outcome{remembered, 0};
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string source = EntryPath(sourceFolder, names[i]);
    const std::string target = EntryPath(targetFolder, names[i]);
    if (PathExists(target)) {
      report(ExistsMessage(target));
    } else if (FileSizeOf(source) < 1) {
      report(source + " has a size of zero. This may be because it is not yet closed.");
    } else {
      try {
        if (kind == TTransferKind::Move)
          RelocateFile(source, target);
        else
          CopyFileBlocks(source, target);
        outcome.LastName = names[i];
        ++outcome.Transferred;
      } catch (const EFileError&) {
        // The target appeared after the check: the routine refused to replace it.
        if (PathExists(target) && PathExists(source))
          report(ExistsMessage(target));
        else
          report("error moving file " + source);
      }
    }
    done(i);
  }
  return outcome;
}
