#include "app/ShellCommands.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "app/shell/Associations.h"
#include "app/shell/ExternalEditor.h"
#include "app/shell/WallpaperBitmap.h"
#include "files/FileErrors.h"
#include "imaging/PGErrors.h"
#include "platform/Messages.h"
#include "platform/Settings.h"

namespace {

QStringList ToQt(const std::vector<std::string>& list) {
  QStringList out;
  for (const std::string& s : list) out << QString::fromStdString(s);
  return out;
}

TWallpaperBackendFactory& BackendFactory() {
  static TWallpaperBackendFactory factory;
  return factory;
}

std::unique_ptr<TWallpaperBackend> CurrentBackend() {
  if (BackendFactory()) return BackendFactory()();
  static TProcessRunner runner;
  return WallpaperBackendFor(qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString(), runner);
}

// The hourglass while it lives.
struct TBusy {
  TBusy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TBusy() { QApplication::restoreOverrideCursor(); }
};

// The BMP a picture of another type becomes; "" when the user declined.
QString WallpaperBitmapFor(QWidget* parent, const QString& file) {
  const QString target = QString::fromStdString(
      WallpaperBitmapPath(UserDataFolder().toStdString(), file.toStdString()));
  if (!AskYesNo(parent,
                "I need a BMP (bitmap) file to set the wallpaper. Can I create a new bitmap file "
                "and store it in the Lumivex data folder (" + QFileInfo(target).absolutePath() +
                    ") to proceed?",
                /*confirmation=*/true))
    return QString();
  const TBusy busy;
  const bool made = MakeWallpaperBitmap(file.toStdString(), target.toStdString(),
                                        [parent](const std::string& existing) {
                                          return AskYesNo(parent,
                                                          "The file " + QString::fromStdString(existing) +
                                                              " exists already. Replace it?",
                                                          /*confirmation=*/true);
                                        });
  return made ? target : QString();
}

}  // namespace

int TProcessRunner::Run(const TCommand& command, std::string* output) {
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process.start(QString::fromStdString(command.Program), ToQt(command.Arguments));
  if (!process.waitForStarted(10000)) return -1;
  process.closeWriteChannel();
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished(1000);
    return -1;
  }
  if (output) *output = process.readAllStandardOutput().toStdString();
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool TProcessRunner::Start(const TCommand& command) {
  return QProcess::startDetached(QString::fromStdString(command.Program), ToQt(command.Arguments));
}

bool TProcessRunner::Available(const std::string& program) {
  return !QStandardPaths::findExecutable(QString::fromStdString(program)).isEmpty();
}

void AssociateTypes(QWidget* parent, const TFileTypeSet& ticked) {
  if (!AskYesNo(parent, "Would you like to associate the selected file types with Lumivex?",
                /*confirmation=*/true))
    return;
  const auto places = TAssociationPlaces::From(qEnvironmentVariable("XDG_DATA_HOME").toStdString(),
                                               qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(),
                                               QDir::homePath().toStdString());
  try {
    const TBusy busy;
    Associate(places, QApplication::applicationFilePath().toStdString(), ticked);
    // Tell the desktop that associations changed; not waited for, not checked.
    TProcessRunner runner;
    if (runner.Available("update-desktop-database"))
      runner.Start({"update-desktop-database", {places.DataHome + "/applications"}});
  } catch (const EAssociationError& e) {
    ShowError(parent, QString::fromStdString(e.what()));
  }
}

void SetWallpaperBackendFactory(TWallpaperBackendFactory factory) {
  BackendFactory() = std::move(factory);
}

QString UserDataFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QString SetWallpaperCommand(QWidget* parent, const QString& file, TWallpaperMode mode) {
  if (mode != TWallpaperMode::None && file.isEmpty()) {
    ShowMessage(parent, "You must click on a file");
    return QString();
  }
  TWallpaperValues values = WallpaperValuesFor(mode, QFileInfo(file).absoluteFilePath().toStdString());
  QString made;
  try {
    if (WallpaperNeedsBitmap(values.File)) {
      made = WallpaperBitmapFor(parent, file);
      if (made.isEmpty()) return QString();
      values.File = made.toStdString();
    }
    WriteSetting("Wallpaper", QString::fromStdString(values.File));
    WriteSetting("TileWallpaper", QString::fromStdString(values.Tile));
    WriteSetting("WallpaperStyle", QString::fromStdString(values.Style));
    const TBusy busy;
    CurrentBackend()->Apply(values.File, WallpaperModeOf(values));
  } catch (const EPixelGraphic& e) {
    ShowError(parent, QString::fromStdString(e.what()));
  } catch (const EFileError& e) {
    ShowError(parent, QString::fromStdString(e.what()));
  } catch (const EWallpaperError& e) {
    ShowError(parent, QString::fromStdString(e.what()));
  }
  return made;
}

void EditExternally(QWidget* parent, const QString& file, const std::function<void()>& openPreferences) {
  const TExternalEdit edit = ExternalEditFor(
      file.toStdString(),
      [](const std::string& name) {
        return ReadSetting(QString::fromStdString(name), QString()).toStdString();
      },
      [](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); },
      [](const std::string& path) {
        QFile f(QString::fromStdString(path));
        if (f.size() > (1 << 20) || !f.open(QIODevice::ReadOnly)) return std::string();
        return f.readAll().toStdString();
      });
  switch (edit.Kind) {
    case TExternalEdit::TKind::NoFile:
      ShowMessage(parent, "You must click on a file");
      return;
    case TExternalEdit::TKind::NotSupported:
      ShowMessage(parent, QString::fromStdString(edit.Message));
      return;
    case TExternalEdit::TKind::NeedEditor:
      ShowMessage(parent, QString::fromStdString(edit.Message));
      if (openPreferences) openPreferences();
      return;
    case TExternalEdit::TKind::Start:
      TProcessRunner().Start(edit.Command);  // a failure to start is not reported
      return;
  }
}
