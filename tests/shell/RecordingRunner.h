// A command runner that starts nothing: it records every command and answers with the
// output and exit codes a test gives it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/shell/Commands.h"

class TRecordingRunner : public TCommandRunner {
 public:
  int Run(const TCommand& command, std::string* output) override {
    Ran.push_back(command);
    if (output) *output = Outputs.count(command.Program) ? Outputs[command.Program] : "";
    return ExitCodes.count(command.Program) ? ExitCodes[command.Program] : 0;
  }
  bool Start(const TCommand& command) override {
    Started.push_back(command);
    return true;
  }
  bool Available(const std::string& program) override { return Programs.count(program) > 0; }

  std::vector<TCommand> Ran;
  std::vector<TCommand> Started;
  std::map<std::string, std::string> Outputs;
  std::map<std::string, int> ExitCodes;
  std::set<std::string> Programs;
};
