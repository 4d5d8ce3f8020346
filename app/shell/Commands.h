// A program to start with its arguments (never one command line a shell would split), and
// the runner that starts it: QProcess in the program, a recorder in tests.
#pragma once

#include <string>
#include <vector>

struct TCommand {
  std::string Program;
  std::vector<std::string> Arguments;
  bool operator==(const TCommand&) const = default;
};

class TCommandRunner {
 public:
  virtual ~TCommandRunner() = default;
  // Runs the command to its end; its exit code (-1 when it could not start or crashed) and
  // what it wrote to its standard output.
  virtual int Run(const TCommand& command, std::string* output) = 0;
  // Starts the command and does not wait for it; false when it could not start.
  virtual bool Start(const TCommand& command) = 0;
  // Whether the program can be found on the search path.
  virtual bool Available(const std::string& program) = 0;
};
