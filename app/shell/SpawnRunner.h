// TSpawnRunner: starts programs with posix_spawn (an argument list, no shell), for the command
// line tools that have no Qt.
#pragma once

#include "app/shell/Commands.h"

class TSpawnRunner : public TCommandRunner {
 public:
  int Run(const TCommand& command, std::string* output) override;
  bool Start(const TCommand& command) override;
  bool Available(const std::string& program) override;
};
