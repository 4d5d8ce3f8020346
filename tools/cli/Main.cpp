#include <iostream>

#include "imaging/formats/ExtraReaders.h"
#include "imaging/formats/Registry.h"
#include "platform/MetafileFormat.h"
#include "tools/cli/Cli.h"
#include "tools/cli/QtModule.h"

namespace {

void PrintOverview(std::ostream& out) {
  out << "usage: lumivex-cli COMMAND [OPTIONS] [ARGUMENTS]\n\ncommands:\n";
  for (const TCliCommand& c : CliCommands()) {
    std::string name = c.Name;
    name.resize(10, ' ');
    out << "  " << name << c.Summary << "\n";
  }
  out << "\n`lumivex-cli COMMAND --help` describes a command; `lumivex-cli --version` prints the\n"
         "version.\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  InitFormatLibrary();
  // The readers outside the library in their fixed order; metafiles draw through the Qt
  // module, which only loads when one is read.
  SetMetafileRenderer(RenderMetafileThroughModule);
  RegisterGIFAndIconReaders();
  RegisterMetafileReaders();
  TCliContext context{std::cout, std::cerr};
  if (args.empty()) {
    PrintOverview(std::cerr);
    return kExitUsage;
  }
  if (args[0] == "--version") {
    std::cout << "lumivex-cli " << LUMIVEX_VERSION << "\n";
    return kExitOK;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintOverview(std::cout);
    return kExitOK;
  }
  for (const TCliCommand& command : CliCommands()) {
    if (args[0] != command.Name) continue;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const std::string& a : rest) {
      if (a == "--") break;
      if (a == "--help" || a == "-h") {
        std::cout << command.Help;
        return kExitOK;
      }
    }
    try {
      return command.Run(rest, context);
    } catch (const TUsageError& e) {
      std::cerr << "lumivex-cli " << command.Name << ": " << e.Message << "\n\n" << command.Help;
      return kExitUsage;
    }
  }
  std::cerr << "lumivex-cli: unknown command \"" << args[0] << "\"\n\n";
  PrintOverview(std::cerr);
  return kExitUsage;
}
