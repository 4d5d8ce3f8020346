// Desktop commands: the file associations and the move tool's transfers.
#include <cstdlib>
#include <ostream>
#include <sstream>

#include "app/shell/Associations.h"
#include "app/shell/SpawnRunner.h"
#include "app/shell/Wallpaper.h"
#include "app/shell/WallpaperBitmap.h"
#include "files/FileErrors.h"
#include "imaging/PGErrors.h"
#include "files/FilePaths.h"
#include "mover/core/Transfer.h"
#include "tools/cli/Cli.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

TFileTypeSet TypesFrom(const std::string& list) {
  TFileTypeSet set{};
  std::istringstream parts(list);
  for (std::string part; std::getline(parts, part, ',');) {
    int found = -1;
    for (int i = 0; i < kFileTypeCount; ++i)
      if (FileTypeNames()[static_cast<std::size_t>(i)] == part) found = i;
    if (found < 0) throw TUsageError{"unknown type " + part};
    set[static_cast<std::size_t>(found)] = true;
  }
  return set;
}

}  // namespace

int RunAssociate(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed = ParseArgs(args, {"--program", "--types"});
  std::string program;
  TFileTypeSet types;
  types.fill(true);
  for (const auto& [name, value] : parsed.Options) {
    if (name == "--program") program = AbsolutePath(value);
    else types = TypesFrom(value);
  }
  if (program.empty()) throw TUsageError{"--program is needed"};
  if (!parsed.Positional.empty()) throw TUsageError{"unexpected argument " + parsed.Positional[0]};
  const auto places = TAssociationPlaces::From(Environment("XDG_DATA_HOME"),
                                               Environment("XDG_CONFIG_HOME"), Environment("HOME"));
  try {
    Associate(places, program, types);
  } catch (const EAssociationError& e) {
    context.Err << e.what() << '\n';
    return kExitFailure;
  }
  context.Out << places.EntryPath() << '\n' << places.MimeAppsPath() << '\n';
  return kExitOK;
}

int RunSort(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed = ParseArgs(args, {});
  if (parsed.Positional.size() < 4) throw TUsageError{"move or copy, a source folder, a target folder and names are needed"};
  const std::string& mode = parsed.Positional[0];
  if (mode != "move" && mode != "copy") throw TUsageError{"move or copy, not " + mode};
  const TTransferKind kind = mode == "move" ? TTransferKind::Move : TTransferKind::Copy;
  const std::vector<std::string> names(parsed.Positional.begin() + 3, parsed.Positional.end());
  int problems = 0;
  const TTransferOutcome outcome = TransferFiles(
      parsed.Positional[1], names, parsed.Positional[2], kind, "",
      [&](const std::string& message) {
        context.Err << message << '\n';
        ++problems;
      },
      [](std::size_t) {});
  if (!outcome.LastName.empty()) context.Out << JoinPath(parsed.Positional[2], outcome.LastName) << '\n';
  return problems == 0 ? kExitOK : kExitFailure;
}

int RunDesktopEntry(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed = ParseArgs(args, {"--program"});
  std::string program;
  for (const auto& [name, value] : parsed.Options) program = value;
  if (program.empty()) throw TUsageError{"--program is needed"};
  if (parsed.Positional.size() != 1) throw TUsageError{"one OUTPUT file is needed"};
  TFileTypeSet all;
  all.fill(true);
  try {
    WriteFileReplacing(parsed.Positional[0], DesktopEntryText(program, MimeTypesFor(all)));
  } catch (const EAssociationError& e) {
    context.Err << e.what() << '\n';
    return kExitFailure;
  }
  return kExitOK;
}

int RunWallpaper(const std::vector<std::string>& args, TCliContext& context) {
  // --replace is a flag (the parser's options take values).
  std::vector<std::string> rest;
  bool replace = false;
  for (const std::string& a : args) {
    if (a == "--replace") replace = true;
    else rest.push_back(a);
  }
  const TParsedArgs parsed = ParseArgs(rest, {});
  if (parsed.Positional.empty()) throw TUsageError{"a mode is needed"};
  const std::string& modeName = parsed.Positional[0];
  TWallpaperMode mode;
  if (modeName == "centered") mode = TWallpaperMode::Centered;
  else if (modeName == "tiled") mode = TWallpaperMode::Tiled;
  else if (modeName == "stretched") mode = TWallpaperMode::Stretched;
  else if (modeName == "none") mode = TWallpaperMode::None;
  else throw TUsageError{"centered, tiled, stretched or none, not " + modeName};
  if (parsed.Positional.size() != (mode == TWallpaperMode::None ? 1u : 2u))
    throw TUsageError{mode == TWallpaperMode::None ? "none takes no file" : "one FILE is needed"};
  std::string file = mode == TWallpaperMode::None ? kNoWallpaper : AbsolutePath(parsed.Positional[1]);
  try {
    if (WallpaperNeedsBitmap(file)) {
      const auto places = TAssociationPlaces::From(Environment("XDG_DATA_HOME"), "", Environment("HOME"));
      const std::string target = WallpaperBitmapPath(JoinPath(places.DataHome, "Corvane/Lumivex"), file);
      if (!MakeWallpaperBitmap(file, target, [replace](const std::string&) { return replace; })) {
        context.Err << target << " exists already; --replace replaces it\n";
        return kExitFailure;
      }
      file = target;
    }
    TSpawnRunner runner;
    WallpaperBackendFor(Environment("XDG_CURRENT_DESKTOP"), runner)->Apply(file, mode);
  } catch (const EWallpaperError& e) {
    context.Err << e.what() << '\n';
    return kExitFailure;
  } catch (const EPixelGraphic& e) {
    context.Err << ForTerminal(e.what()) << '\n';
    return kExitFailure;
  } catch (const EFileError& e) {
    context.Err << e.Detailed() << '\n';
    return kExitFailure;
  }
  context.Out << file << '\n';
  return kExitOK;
}
