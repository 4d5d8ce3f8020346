#include "tools/cli/QtModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <ostream>
#include <system_error>

namespace {

// The folder of the running program.
std::filesystem::path ProgramFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path{} : self.parent_path();
}

struct TLoadedModule {
  void* Handle = nullptr;
  std::string Error;
};

TLoadedModule LoadModule() {
  const std::filesystem::path folder = ProgramFolder();
  const std::filesystem::path candidates[] = {
      folder / kCliQtModuleName,
      (folder / LUMIVEX_CLI_MODULE_FOLDER / kCliQtModuleName).lexically_normal()};
  TLoadedModule loaded;
  std::string tried;
  for (const std::filesystem::path& path : candidates) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
      tried += (tried.empty() ? "" : ", ") + path.string();
      continue;
    }
    loaded.Handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (loaded.Handle) return loaded;
    const char* reason = dlerror();
    loaded.Error = reason ? reason : path.string() + ": cannot be loaded";
    return loaded;
  }
  loaded.Error = "not found (looked for " + tried + ")";
  return loaded;
}

int RunInModule(const char* name, const std::vector<std::string>& args, TCliContext& context) {
  std::string error;
  const auto run = reinterpret_cast<TModuleRunCommand>(CliQtModuleSymbol(kModuleRunCommand, error));
  if (!run) {
    context.Err << "lumivex-cli " << name << ": " << error << "\n";
    return kExitFailure;
  }
  std::string usage;
  const int status = run(name, &args, &context.Out, &context.Err, &usage);
  if (status == kExitUsage && !usage.empty()) throw TUsageError{usage};
  return status;
}

}  // namespace

void* CliQtModuleSymbol(const char* symbol, std::string& error) {
  static const TLoadedModule module = LoadModule();
  if (!module.Handle) {
    error = "the Qt module " + std::string(kCliQtModuleName) + " of lumivex-cli, which draws " +
            "metafiles and prints, could not be loaded: " + module.Error;
    return nullptr;
  }
  void* entry = dlsym(module.Handle, symbol);
  if (!entry) error = "the Qt module of lumivex-cli lacks " + std::string(symbol);
  return entry;
}

bool RenderMetafileThroughModule(const TMetafileData& data, std::uint32_t* pixels, int width,
                                 int height, std::string* error) {
  std::string reason;
  const auto render =
      reinterpret_cast<TMetafileRenderer>(CliQtModuleSymbol(kModuleRenderMetafile, reason));
  if (!render) {
    *error = (data.Enhanced ? "EMF: " : "WMF: ") + reason;
    return false;
  }
  return render(data, pixels, width, height, error);
}

int RunListingInQtModule(const std::vector<std::string>& args, TCliContext& context) {
  return RunInModule("listing", args, context);
}

int RunAlbumInQtModule(const std::vector<std::string>& args, TCliContext& context) {
  return RunInModule("album", args, context);
}

int RunSheetInQtModule(const std::vector<std::string>& args, TCliContext& context) {
  return RunInModule("sheet", args, context);
}
