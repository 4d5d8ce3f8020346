// Files dropped onto a window are moved into its folder, one after the other; every refusal
// or failure is reported and the others still move.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Moves each of `paths` into `folder` with RelocateFile, never over an existing file and never
// an empty (possibly still written) file. `report` receives each message for the user.
// Returns the name of the last file moved, or `currentName` when none moved.
std::string MoveDroppedFiles(const std::string& folder, const std::vector<std::string>& paths,
                             const std::string& currentName,
                             const std::function<void(const std::string&)>& report);
