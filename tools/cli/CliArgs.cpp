#include <charconv>

#include "imaging/formats/FormatSettings.h"
#include "tools/cli/Cli.h"

TParsedArgs ParseArgs(const std::vector<std::string>& args,
                      const std::vector<std::string>& valueOptions) {
  TParsedArgs parsed;
  bool onlyPositional = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (onlyPositional || a.size() < 2 || a[0] != '-') {
      parsed.Positional.push_back(a);
      continue;
    }
    if (a == "--") {
      onlyPositional = true;
      continue;
    }
    if (a == "--help" || a == "-h") {
      parsed.Help = true;
      continue;
    }
    std::string name = a;
    std::string value;
    bool hasValue = false;
    if (const auto eq = a.find('='); eq != std::string::npos && a.rfind("--", 0) == 0) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
      hasValue = true;
    }
    bool known = false;
    for (const std::string& o : valueOptions) known = known || o == name;
    if (!known) throw TUsageError{"unknown option " + name};
    if (!hasValue) {
      if (i + 1 >= args.size()) throw TUsageError{"option " + name + " needs a value"};
      value = args[++i];
    }
    parsed.Options.emplace_back(name, value);
  }
  return parsed;
}

int ParseIndex(const std::string& name, const std::string& value) {
  int n = 0;
  const char* end = value.data() + value.size();
  auto [p, ec] = std::from_chars(value.data(), end, n);
  if (value.empty() || ec != std::errc{} || p != end || n < 0)
    throw TUsageError{name + " expects a non-negative integer, not \"" + value + "\""};
  return n;
}

void ApplySetOption(const std::string& value) {
  const auto eq = value.find('=');
  if (eq == std::string::npos) throw TUsageError{"--set expects NAME=VALUE, not \"" + value + "\""};
  const std::string error = SetFormatSetting(value.substr(0, eq), value.substr(eq + 1));
  if (!error.empty()) throw TUsageError{"--set: " + error};
}

std::string ForTerminal(const std::string& message) {
  std::string out;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] != '\r') {
      out += message[i];
    } else if (i == 0 || message[i - 1] != '\r') {
      out += ' ';
    }
  }
  return out;
}
