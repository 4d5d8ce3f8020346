// The desktop integration driven through the main window: open requests on both topics over
// the real channel, the external editor started with the file as one argument, the wallpaper
// commands on a recording desktop (and on a real gsettings where the test runs in its own
// D-Bus session), and the associations made from the preferences dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/MacroChannel.h"
#include "app/MainWindow.h"
#include "app/PrefsDialog.h"
#include "app/ShellCommands.h"
#include "app/Startup.h"
#include "app/Windows.h"
#include "app/shell/Associations.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"

namespace {

void SavePicture(const QString& path, int width = 8) {
  TPixelGraphic g;
  g.SetSize(width, 6, pf24Bit);
  SaveToFile(g, path.toStdString());
}

// Records what the desktop was asked to do.
struct TWallpaperCall {
  std::string File;
  TWallpaperMode Mode;
};
class TRecordingWallpaper : public TWallpaperBackend {
 public:
  explicit TRecordingWallpaper(std::vector<TWallpaperCall>& calls) : FCalls(calls) {}
  std::string Name() const override { return "recording"; }
  void Apply(const std::string& file, TWallpaperMode mode) override { FCalls.push_back({file, mode}); }

 private:
  std::vector<TWallpaperCall>& FCalls;
};

struct ShellCommands : ::testing::Test {
  QTemporaryDir dir;
  QTemporaryDir runtime;
  QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
  QStringList messages;
  QStringList questions;
  bool answer = true;
  std::vector<TWallpaperCall> calls;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;

  void SetUp() override {
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    SetMessageHook([this](const QString& t) { messages << t; });
    SetQuestionHook([this](const QString& t) {
      questions << t;
      return answer;
    });
    SetWallpaperBackendFactory([this] { return std::make_unique<TRecordingWallpaper>(calls); });
    WriteSetting("FileTypes", "1111111111");
    WriteSetting("Directory", dir.path());
    for (const char* n : {"x.jpg", "y.jpg", "pic.bmp"}) SavePicture(dir.filePath(n));
  }
  void TearDown() override {
    windows.reset();
    SetMessageHook(nullptr);
    SetQuestionHook(nullptr);
    SetWallpaperBackendFactory(nullptr);
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
  }
  void Open() {
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    window->resize(800, 500);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  }
  void Select(const QString& name) {
    window->Files().ClearSelection();
    window->Files().MakeCurrent(window->Files().Find(name));
  }
  QString Shown() const { return window->Files().CurrentFile(); }
};

TEST_F(ShellCommands, TwoMacrosOnOneLineShowTheSecondOnOneTopicAndTheFirstOnTheOther) {
  TMacroQueue queue;
  TOpenChannel channel(queue);
  ASSERT_EQ(channel.Listen(), TOpenChannel::TListen::Listening);
  windows = StartBrowser(queue, &channel);
  window = &windows->Main();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  const QString line = OpenRequestFor({dir.filePath("x.jpg"), dir.filePath("y.jpg")});
  ASSERT_EQ(line, "[Open(\"" + dir.filePath("x.jpg") + "\")][Open(\"" + dir.filePath("y.jpg") + "\")]");
  ASSERT_TRUE(TOpenChannel::SendToRunning(line));
  QTRY_COMPARE_WITH_TIMEOUT(Shown(), dir.filePath("y.jpg"), 3000);
  Select("pic.bmp");
  ASSERT_TRUE(TOpenChannel::SendToRunning(line, 2000, kWindowTopic));
  QTRY_COMPARE_WITH_TIMEOUT(Shown(), dir.filePath("x.jpg"), 3000);
  // A path that would be mis-split never becomes a request.
  QString refused;
  EXPECT_TRUE(OpenRequestFor({dir.filePath("a\"b.jpg")}, &refused).isEmpty());
  EXPECT_EQ(refused, dir.filePath("a\"b.jpg"));
}

TEST_F(ShellCommands, ARequestSentDuringStartUpIsShownOnceTheHandlerRegisters) {
  TMacroQueue queue;
  TOpenChannel channel(queue);
  ASSERT_EQ(channel.Listen(), TOpenChannel::TListen::Listening);
  // The request is read while the windows are still being made: it waits in the queue.
  ASSERT_TRUE(TOpenChannel::SendToRunning(OpenRequestFor({dir.filePath("y.jpg")})));
  QTRY_COMPARE_WITH_TIMEOUT(queue.Pending().size(), 1, 3000);
  windows = StartBrowser(queue, &channel);
  window = &windows->Main();
  EXPECT_EQ(queue.Pending().size(), 1) << "delivered before the handler was registered";
  QTRY_COMPARE_WITH_TIMEOUT(Shown(), dir.filePath("y.jpg"), 3000);
  EXPECT_TRUE(queue.Pending().isEmpty());
}

TEST_F(ShellCommands, TheExternalEditorReceivesThePathAsOneArgument) {
  const QString record = dir.filePath("record.txt");
  const QString script = dir.filePath("editor.sh");
  {
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nout=\"" + record.toUtf8() + ".part\"\necho \"$#\" > \"$out\"\n"
            "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out\"; done\nmv \"$out\" \"" +
            record.toUtf8() + "\"\n");
  }
  QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QString odd = dir.filePath("a b;c.jpg");
  SavePicture(odd);
  WriteSetting("JPG Editor", script);
  Open();
  window->OpenFromShell(odd);
  ASSERT_EQ(Shown(), odd);
  window->EditInExternalEditor();
  QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(record), 5000);
  QFile f(record);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(f.readAll()), "1\n" + odd + "\n");
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(ShellCommands, ExternalEditorMessages) {
  SavePicture(dir.filePath("x.png"));
  WriteSetting("JPG Editor", "");
  Open();
  // Nothing current yet.
  window->Files().ClearSelection();
  window->EditInExternalEditor();
  ASSERT_EQ(messages, QStringList{"You must click on a file"});
  messages.clear();
  window->OpenFromShell(dir.filePath("x.png"));
  window->EditInExternalEditor();
  ASSERT_EQ(messages, QStringList{"File type of .PNG not supported"});
  messages.clear();
  // No JPG editor yet: the message, then the preferences dialog (closed here at once).
  window->OpenFromShell(dir.filePath("x.jpg"));
  bool prefsShown = false;
  QTimer::singleShot(50, [&] {
    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      prefsShown = dynamic_cast<TfPrefs*>(d) != nullptr;
      d->reject();
    }
  });
  window->EditInExternalEditor();
  EXPECT_EQ(messages, QStringList{"You need to select a JPG editor under File/Set Preferences..."});
  EXPECT_TRUE(prefsShown);
}

TEST_F(ShellCommands, WallpaperCommandsWriteTheThreeValuesAndDriveTheDesktop) {
  Open();
  // A JPEG, tiled: asked first, then made into a BMP in the data folder.
  Select("x.jpg");
  window->SetWallpaper(TWallpaperMode::Tiled);
  ASSERT_EQ(questions.size(), 1);
  EXPECT_TRUE(questions[0].startsWith("I need a BMP (bitmap) file to set the wallpaper."));
  const QString bmp = UserDataFolder() + "/wallpaper/x.bmp";
  ASSERT_TRUE(QFileInfo::exists(bmp));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("x.bmp"))) << "the picture's folder got a file";
  EXPECT_EQ(ReadSetting("Wallpaper", ""), bmp);
  EXPECT_EQ(ReadSetting("TileWallpaper", ""), "1");
  EXPECT_EQ(ReadSetting("WallpaperStyle", ""), "0");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].File, bmp.toStdString());
  EXPECT_EQ(calls[0].Mode, TWallpaperMode::Tiled);

  // The same name again: the existing bitmap is replaced only when the user agrees.
  Select("y.jpg");
  QFile::remove(bmp);
  SavePicture(UserDataFolder() + "/wallpaper/y.bmp", 3);
  const QByteArray before = [&] {
    QFile f(UserDataFolder() + "/wallpaper/y.bmp");
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }();
  questions.clear();
  int asked = 0;
  SetQuestionHook([&](const QString& t) {
    questions << t;
    return ++asked == 1;  // yes to the bitmap, no to replacing
  });
  window->SetWallpaper(TWallpaperMode::Stretched);
  ASSERT_EQ(questions.size(), 2);
  EXPECT_TRUE(questions[1].contains("exists already"));
  QFile f(UserDataFolder() + "/wallpaper/y.bmp");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), before);
  EXPECT_EQ(calls.size(), 1u) << "the desktop was changed although the user declined";

  // A BMP is used as it is; "Remove Wallpaper" asks nothing.
  questions.clear();
  Select("pic.bmp");
  window->SetWallpaper(TWallpaperMode::Stretched);
  EXPECT_TRUE(questions.isEmpty());
  EXPECT_EQ(ReadSetting("Wallpaper", ""), dir.filePath("pic.bmp"));
  EXPECT_EQ(ReadSetting("WallpaperStyle", ""), "2");
  window->SetWallpaper(TWallpaperMode::None);
  EXPECT_TRUE(questions.isEmpty());
  EXPECT_EQ(ReadSetting("Wallpaper", ""), "(None)");
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[2].Mode, TWallpaperMode::None);
}

TEST_F(ShellCommands, AnUnsupportedDesktopIsReportedAndNotTakenForSuccess) {
  SetWallpaperBackendFactory([] {
    static TProcessRunner runner;
    return WallpaperBackendFor("SomethingElse", runner);
  });
  Open();
  Select("pic.bmp");
  window->SetWallpaper(TWallpaperMode::Centered);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("not supported on this desktop")) << messages[0].toStdString();
}

// Runs only inside a private D-Bus session with a private dconf database (see the test list).
TEST(RealDesktop, GsettingsTakesThePicture) {
  if (qEnvironmentVariableIsEmpty("LUMIVEX_PRIVATE_DCONF")) GTEST_SKIP() << "needs a private D-Bus session";
  TProcessRunner runner;
  auto gnome = WallpaperBackendFor("GNOME", runner);
  const std::string file = "/pictures/my holiday #1.bmp";
  gnome->Apply(file, TWallpaperMode::Stretched);
  std::string out;
  ASSERT_EQ(runner.Run({"gsettings", {"get", "org.gnome.desktop.background", "picture-uri"}}, &out), 0);
  EXPECT_EQ(out, "'" + FileUri(file) + "'\n");
  ASSERT_EQ(runner.Run({"gsettings", {"get", "org.gnome.desktop.background", "picture-options"}}, &out), 0);
  EXPECT_EQ(out, "'stretched'\n");
  gnome->Apply("(None)", TWallpaperMode::None);
  ASSERT_EQ(runner.Run({"gsettings", {"get", "org.gnome.desktop.background", "picture-options"}}, &out), 0);
  EXPECT_EQ(out, "'none'\n");
}

TEST_F(ShellCommands, TheAssociateButtonMakesUsTheDefaultOfTheTickedTypes) {
  Open();
  auto& prefs = windows->Get<TfPrefs>();
  QTimer::singleShot(0, [&] {
    for (int i = 0; i < kFileTypeCount; ++i) prefs.TypeBox(i)->setChecked(i == 7);  // PNG
    QTest::mouseClick(prefs.AssociateButton(), Qt::LeftButton);
    prefs.reject();
  });
  prefs.exec();
  ASSERT_EQ(questions, QStringList{"Would you like to associate the selected file types with Lumivex?"});
  const auto places = TAssociationPlaces::From(qEnvironmentVariable("XDG_DATA_HOME").toStdString(),
                                               qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(),
                                               QDir::homePath().toStdString());
  QFile entry(QString::fromStdString(places.EntryPath()));
  ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(entry.readAll());
  EXPECT_TRUE(text.contains("MimeType=image/png;\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("Exec=" + QApplication::applicationFilePath() + " %F\n")) << text.toStdString();
  QFile list(QString::fromStdString(places.MimeAppsPath()));
  ASSERT_TRUE(list.open(QIODevice::ReadOnly));
  EXPECT_TRUE(list.readAll().contains("image/png=lumivex.desktop;"));
}

}  // namespace
