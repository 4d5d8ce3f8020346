// The desktop integration commands of the main window and the preferences dialog: file
// associations, the wallpaper, and the external editors. The rules live in app/shell/; these
// ask the user, report in message boxes and start programs through QProcess.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "app/shell/Commands.h"
#include "app/shell/Wallpaper.h"
#include "files/Preferences.h"

class QWidget;

// Starts programs with an argument list (never through a shell).
class TProcessRunner : public TCommandRunner {
 public:
  int Run(const TCommand& command, std::string* output) override;
  bool Start(const TCommand& command) override;
  bool Available(const std::string& program) override;
};

// "Associate": asks, then makes Lumivex the default of the ticked types; reports a failure in
// the error box.
void AssociateTypes(QWidget* parent, const TFileTypeSet& ticked);

// The backend the wallpaper commands use; tests give a recording one (nullptr restores the
// running desktop's).
using TWallpaperBackendFactory = std::function<std::unique_ptr<TWallpaperBackend>()>;
void SetWallpaperBackendFactory(TWallpaperBackendFactory factory);

// The per-user data folder (the BMP files made for the wallpaper live in it).
QString UserDataFolder();

// A wallpaper command for `file` ("" when the main window has no current file). Returns the
// BMP file made for a picture of another type ("" when none was made).
QString SetWallpaperCommand(QWidget* parent, const QString& file, TWallpaperMode mode);

// "Edit with External Editor": starts the type's editor with the file as one argument, or
// shows why not; `openPreferences` runs when no editor is chosen yet.
void EditExternally(QWidget* parent, const QString& file, const std::function<void()>& openPreferences);
