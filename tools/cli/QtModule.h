// lumivex-cli's Qt side: metafile drawing and the commands that print with Qt live in the
// module lumivex-cli-qt.so, loaded on first use, so the other commands start without Qt.
#pragma once

#include <string>
#include <vector>

#include "platform/Metafile.h"
#include "tools/cli/Cli.h"

inline constexpr const char* kCliQtModuleName = "lumivex-cli-qt.so";

// The entry points the module exports (C names, looked up with dlsym).
// Runs one of the module's commands; a bad command line returns kExitUsage with the reason in
// `usageError`.
using TModuleRunCommand = int (*)(const char* name, const std::vector<std::string>* args,
                                  std::ostream* out, std::ostream* err, std::string* usageError);
inline constexpr const char* kModuleRunCommand = "LumivexCliRunCommand";
// A TMetafileRenderer.
inline constexpr const char* kModuleRenderMetafile = "LumivexCliRenderMetafile";

// The module's entry point `symbol`, loading the module on first use: beside the program (the
// build tree), then in the installed library folder. Null with the reason in `error`.
void* CliQtModuleSymbol(const char* symbol, std::string& error);

// The metafile renderer of lumivex-cli: draws through the module.
bool RenderMetafileThroughModule(const TMetafileData& data, std::uint32_t* pixels, int width,
                                 int height, std::string* error);

int RunListingInQtModule(const std::vector<std::string>& args, TCliContext& context);
int RunAlbumInQtModule(const std::vector<std::string>& args, TCliContext& context);
int RunSheetInQtModule(const std::vector<std::string>& args, TCliContext& context);
