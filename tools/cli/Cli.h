// lumivex-cli: a headless command line over the imaging library.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses.
inline constexpr int kExitOK = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct TCliContext {
  std::ostream& Out;
  std::ostream& Err;
};

// One subcommand. Run gets the arguments after the command name.
struct TCliCommand {
  const char* Name;
  const char* Summary;
  const char* Help;  // full usage text shown by --help
  int (*Run)(const std::vector<std::string>& args, TCliContext& context);
};

// Thrown for bad command lines; reported with the command's usage and exit status 2.
struct TUsageError {
  std::string Message;
};

// Splits arguments into options and positional values. Options take a value either as
// "--name value" or "--name=value"; flags listed in `flags` take none.
struct TParsedArgs {
  std::vector<std::pair<std::string, std::string>> Options;  // in order
  std::vector<std::string> Positional;
  bool Help = false;
};
TParsedArgs ParseArgs(const std::vector<std::string>& args,
                      const std::vector<std::string>& valueOptions);
// Parses a non-negative integer option value; raises TUsageError otherwise.
int ParseIndex(const std::string& name, const std::string& value);

// Applies one "--set NAME=VALUE" to the library-wide format settings; raises TUsageError for
// a malformed pair, an unknown name or a bad value.
void ApplySetOption(const std::string& value);

// A library message for a terminal line: runs of carriage returns (line breaks of the
// message boxes) become single spaces.
std::string ForTerminal(const std::string& message);

// The command table; new commands are added in Commands.cpp.
const std::vector<TCliCommand>& CliCommands();

int RunInfo(const std::vector<std::string>& args, TCliContext& context);
int RunConvert(const std::vector<std::string>& args, TCliContext& context);
int RunFormats(const std::vector<std::string>& args, TCliContext& context);
int RunFilterCommand(const std::vector<std::string>& args, TCliContext& context);
int RunEditCommand(const std::vector<std::string>& args, TCliContext& context);
int RunAlbum(const std::vector<std::string>& args, TCliContext& context);
int RunListing(const std::vector<std::string>& args, TCliContext& context);
int RunSearch(const std::vector<std::string>& args, TCliContext& context);
int RunMove(const std::vector<std::string>& args, TCliContext& context);
int RunTrash(const std::vector<std::string>& args, TCliContext& context);
int RunSheet(const std::vector<std::string>& args, TCliContext& context);
int RunThumbnails(const std::vector<std::string>& args, TCliContext& context);
int RunAssociate(const std::vector<std::string>& args, TCliContext& context);
int RunDesktopEntry(const std::vector<std::string>& args, TCliContext& context);
int RunWallpaper(const std::vector<std::string>& args, TCliContext& context);
int RunSort(const std::vector<std::string>& args, TCliContext& context);
int RunScan(const std::vector<std::string>& args, TCliContext& context);
