// lumivex-cli scan: one picture from a scanner, written as a file, over the same scanner
// interface and frame assembly as the editor's "Acquire...".
#include <atomic>
#include <cctype>
#include <ostream>

#include "imaging/formats/LoadSave.h"
#include "imaging/formats/NativeDIB.h"
#include "platform/SaneSession.h"
#include "tools/cli/Cli.h"

namespace {

int ListDevices(const TSaneSession& session, TCliContext& context) {
  for (const TSaneDeviceInfo& d : session.Devices())
    context.Out << d.Name << "\t" << d.Vendor << " " << d.Model << " (" << d.Type << ")\n";
  return kExitOK;
}

// "bmp" for a name ending in .bmp (any case), else the empty text.
bool IsBMPName(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".bmp";
}

}  // namespace

int RunScan(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed = ParseArgs(args, {"--device", "--option", "--list"});
  std::string device;
  std::vector<std::pair<std::string, std::string>> options;
  bool list = false;
  for (const auto& [name, value] : parsed.Options) {
    if (name == "--device") device = value;
    if (name == "--list") list = value == "yes" || value == "true" || value == "1";
    if (name == "--option") {
      const auto eq = value.find('=');
      if (eq == std::string::npos)
        throw TUsageError{"--option expects NAME=VALUE, not \"" + value + "\""};
      options.emplace_back(value.substr(0, eq), value.substr(eq + 1));
    }
  }
  TSaneSession session;
  if (!session.Ok()) {
    context.Err << "lumivex-cli: the scanner library did not start: "
                << SaneStatusText(session.Status()) << "\n";
    return kExitFailure;
  }
  try {
    if (list) return ListDevices(session, context);
    if (parsed.Positional.size() != 1) throw TUsageError{"expects exactly one OUTPUT"};
    const std::string output = parsed.Positional[0];
    if (device.empty()) {
      const auto devices = session.Devices();
      if (devices.empty()) {
        context.Err << "lumivex-cli: no scanner was found\n";
        return kExitFailure;
      }
      device = devices.front().Name;
    }
    TSaneDevice scanner(session, device);
    for (const auto& [name, value] : options) scanner.Set(name, value);
    TScanAssembler assembler;
    const std::atomic<bool> stop{false};
    if (scanner.Scan(assembler, stop) != TScanOutcome::Done) {
      context.Err << "lumivex-cli: the scan was cancelled\n";
      return kExitFailure;
    }
    const auto picture = assembler.Picture();
    if (IsBMPName(output)) {
      const int result = WriteNativeToFile(PackDIB(*picture), output);
      if (result != kNativeWriteOK) {
        context.Err << "lumivex-cli: " << output << ": could not be written (" << result << ")\n";
        return kExitFailure;
      }
    } else {
      SaveToFile(*picture, output);
    }
    context.Out << picture->Width() << " x " << picture->Height() << ", " << picture->BitCount()
                << " bits\n";
    return kExitOK;
  } catch (const std::invalid_argument& e) {
    context.Err << "lumivex-cli: " << e.what() << "\n";
  } catch (const std::runtime_error& e) {
    context.Err << "lumivex-cli: " << ForTerminal(e.what()) << "\n";
  }
  return kExitFailure;
}
