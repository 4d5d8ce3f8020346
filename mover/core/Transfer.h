// Moving or copying the selected files of the source folder into the destination folder, as
// the move tool does: an existing target is never replaced (the file routines create the
// target atomically), an empty file is left for later, a move removes the source only after a
// complete copy, and every problem is reported with its message while the others go on.
#pragma once

#include <functional>
#include <string>
#include <vector>

enum class TTransferKind { Move, Copy };

struct TTransferOutcome {
  std::string LastName;  // the name of the last file transferred, else the remembered one
  int Transferred = 0;
};

// `report` receives each message ("file <target> already exists. Select another directory
// before moving", "<source> has a size of zero. This may be because it is not yet closed.",
// "error moving file <source>"); `done` is called for every entry handled, whatever happened
// (the window deselects it).
TTransferOutcome TransferFiles(const std::string& sourceFolder, const std::vector<std::string>& names,
                               const std::string& targetFolder, TTransferKind kind,
                               const std::string& remembered,
                               const std::function<void(const std::string& message)>& report,
                               const std::function<void(std::size_t index)>& done);
