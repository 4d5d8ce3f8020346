// The entry points of lumivex-cli-qt.so. The module carries its own copy of the imaging
// library, set up on first use; nothing but these two functions is exported.
#include <exception>
#include <ostream>

#include "imaging/formats/Registry.h"
#include "platform/MetafileFormat.h"
#include "platform/MetafileRenderQt.h"
#include "tools/cli/QtModule.h"

namespace {

void SetUpOnce() {
  static const bool done = [] {
    InitFormatLibrary();
    RegisterExtraReaders();
    return true;
  }();
  (void)done;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int LumivexCliRunCommand(
    const char* name, const std::vector<std::string>* args, std::ostream* out, std::ostream* err,
    std::string* usageError) {
  SetUpOnce();
  TCliContext context{*out, *err};
  const std::string command = name;
  try {
    if (command == "listing") return RunListing(*args, context);
    if (command == "album") return RunAlbum(*args, context);
    if (command == "sheet") return RunSheet(*args, context);
    *err << "lumivex-cli: the Qt module has no command \"" << command << "\"\n";
    return kExitFailure;
  } catch (const TUsageError& e) {
    *usageError = e.Message;
    return kExitUsage;
  } catch (const std::exception& e) {
    *err << "lumivex-cli " << command << ": " << ForTerminal(e.what()) << "\n";
    return kExitFailure;
  }
}

extern "C" __attribute__((visibility("default"))) bool LumivexCliRenderMetafile(
    const TMetafileData& data, std::uint32_t* pixels, int width, int height, std::string* error) {
  try {
    return RenderMetafileWithQt(data, pixels, width, height, error);
  } catch (const std::exception& e) {
    *error = (data.Enhanced ? "EMF: " : "WMF: ") + std::string(e.what());
    return false;
  }
}
