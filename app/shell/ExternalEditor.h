// Editing the current file in the external editor the preferences name for its type. The
// editor value is a program path (spaces allowed), a command with arguments in the desktop
// entry form ("gimp --new-instance %f"), or a ".desktop" file whose Exec line is used; the
// file always reaches the editor as one argument, whatever characters its path holds.
#pragma once

#include <functional>
#include <string>

#include "app/shell/Commands.h"

struct TExternalEdit {
  enum class TKind { Start, NeedEditor, NotSupported, NoFile } Kind = TKind::NoFile;
  std::string Message;  // for NeedEditor, NotSupported and a bad editor value
  TCommand Command;     // for Start
};

// What "Edit with External Editor" does for `file`. `read` gives a setting's value ("JPG
// Editor"...); `isFile` tells whether a path names an existing file; `readFile` gives the text
// of a ".desktop" editor ("" when it cannot be read).
TExternalEdit ExternalEditFor(const std::string& file,
                              const std::function<std::string(const std::string&)>& read,
                              const std::function<bool(const std::string&)>& isFile,
                              const std::function<std::string(const std::string&)>& readFile);

// The command of an editor value for a file (see above); Program empty with `error` set when
// the value cannot be read as a command.
TCommand EditorCommand(const std::string& editor, const std::string& file,
                       const std::function<bool(const std::string&)>& isFile,
                       const std::function<std::string(const std::string&)>& readFile,
                       std::string* error);

// The "Exec" value of the "[Desktop Entry]" group of a desktop entry's text ("" when none).
std::string DesktopEntryExec(const std::string& text);
