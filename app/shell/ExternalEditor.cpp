#include "app/shell/ExternalEditor.h"

#include <cctype>
#include <sstream>

#include "app/shell/ExecLine.h"
#include "files/FilePaths.h"

namespace {

// The first four characters of the extension, dot included, upper-cased (".JPE" for .jpeg).
std::string ExtensionKey(const std::string& file) {
  const std::string name = FileNameOf(file);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return "";
  std::string key;
  for (char c : name.substr(dot, 4)) key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TCommand FromArguments(std::vector<std::string> arguments) {
  TCommand command;
  if (arguments.empty()) return command;
  command.Program = arguments.front();
  arguments.erase(arguments.begin());
  command.Arguments = std::move(arguments);
  return command;
}

}  // namespace

std::string DesktopEntryExec(const std::string& text) {
  std::istringstream lines(text);
  bool inGroup = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      inGroup = line == "[Desktop Entry]";
      continue;
    }
    if (inGroup && line.compare(0, 5, "Exec=") == 0) return line.substr(5);
  }
  return "";
}

TCommand EditorCommand(const std::string& editor, const std::string& file,
                       const std::function<bool(const std::string&)>& isFile,
                       const std::function<std::string(const std::string&)>& readFile,
                       std::string* error) {
  std::string exec;
  if (EndsWith(editor, ".desktop") && isFile(editor)) {
    exec = DesktopEntryExec(readFile(editor));
    if (exec.empty()) {
      if (error) *error = "The editor " + editor + " has no Exec line.";
      return {};
    }
  } else if (isFile(editor)) {
    // A program path is the program, spaces and all.
    return {editor, {file}};
  } else {
    exec = editor;
  }
  try {
    TCommand command = FromArguments(ExpandFileFieldCodes(SplitExecValue(exec), file));
    if (command.Program == file && error) *error = "The editor value " + editor + " names no program.";
    if (command.Program == file) return {};
    return command;
  } catch (const EExecLineError& e) {
    if (error) *error = "The editor value " + editor + " cannot be read: " + e.what();
    return {};
  }
}

TExternalEdit ExternalEditFor(const std::string& file,
                              const std::function<std::string(const std::string&)>& read,
                              const std::function<bool(const std::string&)>& isFile,
                              const std::function<std::string(const std::string&)>& readFile) {
  TExternalEdit edit;
  if (file.empty()) return edit;
  const std::string x = ExtensionKey(file);
  std::string type;
  for (const char* t : {"JPG", "GIF", "BMP", "ICO"})
    if (x == std::string(".") + t) type = t;
  if (type.empty()) {
    edit.Kind = TExternalEdit::TKind::NotSupported;
    edit.Message = "File type of " + x + " not supported";
    return edit;
  }
  const std::string editor = read(type + " Editor");
  if (editor.empty()) {
    edit.Kind = TExternalEdit::TKind::NeedEditor;
    edit.Message = "You need to select a " + type + " editor under File/Set Preferences...";
    return edit;
  }
  std::string error;
  edit.Command = EditorCommand(editor, file, isFile, readFile, &error);
  if (edit.Command.Program.empty()) {
    edit.Kind = TExternalEdit::TKind::NotSupported;
    edit.Message = error;
    return edit;
  }
  edit.Kind = TExternalEdit::TKind::Start;
  return edit;
}
