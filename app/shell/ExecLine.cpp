#include "app/shell/ExecLine.h"

#include <cstring>

namespace {

bool NeedsQuotes(const std::string& argument) {
  if (argument.empty()) return true;
  for (char c : argument)
    if (std::strchr(" \t\n\"'\\><~|&;$*?#()`", c) != nullptr && c != '\0') return true;
  return false;
}

// The string-value escapes of a desktop entry.
std::string EscapeStringValue(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::string UnescapeStringValue(const std::string& value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    switch (value[++i]) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default:
        // Not a string escape: it belongs to the quoting rule, read next.
        out += '\\';
        out += value[i];
    }
  }
  return out;
}

std::string DoublePercent(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

// "%%" -> "%"; other field codes inside a longer argument are dropped.
std::string ResolvePercents(const std::string& argument) {
  std::string out;
  for (std::size_t i = 0; i < argument.size(); ++i) {
    if (argument[i] != '%' || i + 1 == argument.size()) {
      out += argument[i];
      continue;
    }
    if (argument[++i] == '%') out += '%';
  }
  return out;
}

bool IsFieldCode(const std::string& argument) {
  return argument.size() == 2 && argument[0] == '%' && argument[1] != '%';
}

}  // namespace

std::string QuoteExecArgument(const std::string& argument) {
  const std::string text = DoublePercent(argument);
  if (!NeedsQuotes(argument)) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string ExecValue(const std::vector<std::string>& arguments, const std::string& fieldCode) {
  std::string line;
  for (const std::string& a : arguments) {
    if (!line.empty()) line += ' ';
    line += QuoteExecArgument(a);
  }
  if (!fieldCode.empty()) line += (line.empty() ? "" : " ") + fieldCode;
  return EscapeStringValue(line);
}

std::vector<std::string> SplitExecValue(const std::string& value) {
  const std::string line = UnescapeStringValue(value);
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  bool wasQuoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\') {
        if (i + 1 == line.size()) throw EExecLineError("Exec: a backslash ends the line");
        current += line[++i];
      } else {
        current += c;
      }
    } else if (c == ' ' || c == '\t' || c == '\n') {
      if (inArgument) {
        arguments.push_back(wasQuoted || !IsFieldCode(current) ? ResolvePercents(current) : current);
        current.clear();
      }
      inArgument = wasQuoted = false;
    } else if (c == '"') {
      quoted = inArgument = wasQuoted = true;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (quoted) throw EExecLineError("Exec: a quote is not closed");
  if (inArgument)
    arguments.push_back(wasQuoted || !IsFieldCode(current) ? ResolvePercents(current) : current);
  return arguments;
}

std::vector<std::string> ExpandFileFieldCodes(const std::vector<std::string>& arguments,
                                              const std::string& file) {
  std::vector<std::string> out;
  bool placed = false;
  for (const std::string& a : arguments) {
    if (!IsFieldCode(a)) {
      out.push_back(a);
    } else if (a == "%f" || a == "%F" || a == "%u" || a == "%U") {
      if (!placed) out.push_back(file);
      placed = true;
    }
  }
  if (!placed) out.push_back(file);
  return out;
}
