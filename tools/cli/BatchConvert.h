// The batch form of `convert`: many inputs (files or folders) into one format.
#pragma once

#include <string>
#include <vector>

#include "tools/cli/Cli.h"

// True when the arguments ask for the batch form (they hold --to).
bool IsBatchConvert(const std::vector<std::string>& args);
int RunBatchConvert(const std::vector<std::string>& args, TCliContext& context);
