// The browser's file commands driven as a user drives them: delete with its question and the
// entry that becomes current, rename and its refusal, attributes, folders, files dropped from
// the desktop, the preferences dialog and the file search window.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>

#include "app/FilePropWindow.h"
#include "app/MainWindow.h"
#include "app/PrefsDialog.h"
#include "app/SearchWindow.h"
#include "app/Windows.h"
#include "controls/FileListView.h"
#include "dialogs/FileDialogs.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "view/PGImage.h"

namespace {

void SavePicture(const QString& path, int width = 8) {
  TPixelGraphic g;
  g.SetSize(width, 6, pf24Bit);
  SaveToFile(g, path.toStdString());
}

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs `act` on the modal dialog of type T once it is up (then the dialog must be closed by
// `act`); `open` is what opens it.
template <class T>
bool OnModal(const std::function<void(T&)>& act, const std::function<void()>& open) {
  bool seen = false;
  std::function<void()> poll;
  int tries = 0;
  poll = [&] {
    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      if (auto* t = dynamic_cast<T*>(d)) {
        seen = true;
        act(*t);
        return;
      }
    }
    if (++tries < 200) QTimer::singleShot(10, poll);
  };
  QTimer::singleShot(0, poll);
  open();
  return seen;
}

struct FileCommands : ::testing::Test {
  QTemporaryDir dir;
  QStringList messages;
  QStringList questions;
  bool answer = true;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;

  void SetUp() override {
    SetMessageHook([this](const QString& t) { messages << t; });
    SetQuestionHook([this](const QString& t) {
      questions << t;
      return answer;
    });
    WriteSetting("FileTypes", "1111111111");
    WriteSetting("Confirm Deletions", "1");
    WriteSetting("Deletions", "0");
    WriteSetting("Directory", dir.path());
    for (const char* n : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"}) SavePicture(dir.filePath(n));
  }
  void Open() {
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    window->resize(800, 500);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  }
  void TearDown() override {
    windows.reset();
    SetMessageHook(nullptr);
    SetQuestionHook(nullptr);
  }
  TFileListModel& Files() { return window->Files(); }
  void Select(const QString& name) {
    Files().ClearSelection();
    Files().MakeCurrent(Files().Find(name));
  }
  QString TrashedFile(const QString& name) const {
    return qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files/" + name;
  }
  QAction* MenuItem(const QString& menu, const QString& caption) const {
    for (QAction* m : window->menuBar()->actions())
      if (m->text().remove('&') == menu)
        for (QAction* a : m->menu()->actions())
          if (a->text() == caption) return a;
    return nullptr;
  }
};

TEST_F(FileCommands, DeleteAsksMovesToTheTrashAndMakesTheNextEntryCurrent) {
  Open();
  ASSERT_EQ(Files().Count(), 5);
  // Nothing current: the user is told to click first.
  Files().ClearSelection();
  MenuItem("File", "Delete File")->trigger();
  EXPECT_EQ(messages.value(0), "You need to click on a file name first");

  // The last of five (position 4): entry 3 becomes current and is shown.
  const QByteArray original = Contents(dir.filePath("e.bmp"));
  QFile::remove(TrashedFile("e.bmp"));
  Select("e.bmp");
  answer = false;
  MenuItem("File", "Delete File")->trigger();
  EXPECT_EQ(questions.value(0), "Delete file " + dir.filePath("e.bmp") + "?");
  EXPECT_TRUE(QFile::exists(dir.filePath("e.bmp")));  // No keeps the file
  answer = true;
  QTest::keyClick(window->FileListView(), Qt::Key_Delete);  // released in the file list
  EXPECT_FALSE(QFile::exists(dir.filePath("e.bmp")));
  EXPECT_EQ(Contents(TrashedFile("e.bmp")), original);
  EXPECT_TRUE(QFile::exists(TrashedFile("e.bmp").replace("/files/", "/info/") + ".trashinfo"));
  EXPECT_EQ(Files().Count(), 4);
  EXPECT_EQ(Files().CurrentFile(), dir.filePath("d.bmp"));
  EXPECT_TRUE(window->StatusText(2).startsWith("d.bmp"));

  // Entry 1: the following file, now entry 1, becomes current.
  Select("b.bmp");
  window->DeleteFiles();
  EXPECT_EQ(Files().CurrentFile(), dir.filePath("c.bmp"));

  // Two selected: one question for both.
  Files().ClearSelection();
  Files().SetSelected(0, true);
  Files().MakeCurrent(1);
  questions.clear();
  window->DeleteFiles();
  EXPECT_EQ(questions, QStringList{"Delete selected files?"});
  EXPECT_EQ(Files().Names(), QStringList{"d.bmp"});
}

TEST_F(FileCommands, PermanentDeletionWithoutQuestionAndTheLastFileClearsTheView) {
  WriteSetting("Deletions", "1");
  WriteSetting("Confirm Deletions", "0");
  for (const char* n : {"a.bmp", "b.bmp", "c.bmp", "d.bmp"}) QFile::remove(dir.filePath(n));
  Open();
  ASSERT_TRUE(window->DeletesPermanently());
  QFile::remove(TrashedFile("e.bmp"));
  Select("e.bmp");
  window->ShowFile(dir.filePath("e.bmp"));
  window->DeleteFiles();
  EXPECT_TRUE(questions.isEmpty());
  EXPECT_FALSE(QFile::exists(dir.filePath("e.bmp")));
  EXPECT_FALSE(QFile::exists(TrashedFile("e.bmp")));
  EXPECT_EQ(Files().Count(), 0);
  EXPECT_EQ(window->StatusText(0), "0 files");
  EXPECT_TRUE(window->StatusText(2).isEmpty());
  EXPECT_FALSE(window->PGImage1()->isVisible());
}

TEST_F(FileCommands, AnyDeletionsValueButOneMeansTheTrash) {
  for (const char* value : {"0", "2", "yes", "", " 1", "01"}) {
    WriteSetting("Deletions", value);
    EXPECT_FALSE(TMainSettings::Load().DeletePermanently) << value;
  }
  WriteSetting("Deletions", "1");
  EXPECT_TRUE(TMainSettings::Load().DeletePermanently);
}

TEST_F(FileCommands, RenameThroughTheDialogAndRefusalOfAnExistingName) {
  Open();
  Select("a.bmp");
  const QByteArray a = Contents(dir.filePath("a.bmp"));
  const QByteArray b = Contents(dir.filePath("b.bmp"));
  // Onto an existing name: refused, both files as they were.
  EXPECT_TRUE(OnModal<TfRename>([](TfRename& d) {
    EXPECT_EQ(d.windowTitle(), "Rename File");
    EXPECT_EQ(d.OldName()->text(), "a.bmp");
    EXPECT_EQ(d.NewName()->text(), "a.bmp");
    d.NewName()->setText("b.bmp");
    d.accept();
  }, [&] { QTest::keyClick(window, Qt::Key_F2); }));
  EXPECT_EQ(messages, QStringList{"Error changing name"});
  EXPECT_EQ(Contents(dir.filePath("a.bmp")), a);
  EXPECT_EQ(Contents(dir.filePath("b.bmp")), b);
  // Names with a separator are refused too.
  messages.clear();
  Select("a.bmp");
  OnModal<TfRename>([](TfRename& d) { d.NewName()->setText("sub/x.bmp"); d.accept(); },
                    [&] { window->RenameFile(); });
  EXPECT_EQ(messages, QStringList{"Error changing name"});
  // A new name: renamed, listed and current.
  messages.clear();
  Select("a.bmp");
  OnModal<TfRename>([](TfRename& d) { d.NewName()->setText("z.bmp"); d.accept(); },
                    [&] { window->RenameFile(); });
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(Contents(dir.filePath("z.bmp")), a);
  EXPECT_FALSE(QFile::exists(dir.filePath("a.bmp")));
  EXPECT_EQ(Files().CurrentFile(), dir.filePath("z.bmp"));
  // Two selected, or none current.
  messages.clear();
  Files().SetSelected(0, true);
  window->RenameFile();
  Files().ClearSelection();
  window->RenameFile();
  EXPECT_EQ(messages, (QStringList{"You must select a single file for this function",
                                   "You must click on a file"}));
}

TEST_F(FileCommands, AttributesAreWrittenOnlyWhenChanged) {
  Open();
  Select("c.bmp");
  const QString path = dir.filePath("c.bmp");
  struct stat before {};
  ASSERT_EQ(stat(path.toLocal8Bit().constData(), &before), 0);
  // OK without a change writes nothing: even the change time stays.
  QTest::qWait(1100);
  EXPECT_TRUE(OnModal<TFileAttrForm>([](TFileAttrForm& d) {
    EXPECT_EQ(d.windowTitle(), "File attributes");
    EXPECT_FALSE(d.ReadOnlyBox()->isChecked());
    EXPECT_FALSE(d.ArchiveBox()->isEnabled());
    EXPECT_FALSE(d.SystemBox()->isEnabled());
    EXPECT_FALSE(d.HiddenBox()->isEnabled());
    EXPECT_FALSE(d.ChangeDate()->text().isEmpty());
    d.accept();
  }, [&] { MenuItem("File", "File Attributes...")->trigger(); }));
  struct stat after {};
  ASSERT_EQ(stat(path.toLocal8Bit().constData(), &after), 0);
  EXPECT_EQ(after.st_ctime, before.st_ctime);
  // Read-only ticked: the owner's write permission goes, nothing else changes.
  OnModal<TFileAttrForm>([](TFileAttrForm& d) { d.ReadOnlyBox()->setChecked(true); d.accept(); },
                         [&] { window->FileAttributes(); });
  ASSERT_EQ(stat(path.toLocal8Bit().constData(), &after), 0);
  EXPECT_EQ(after.st_mode, before.st_mode & ~S_IWUSR);
  // Cancel changes nothing.
  OnModal<TFileAttrForm>([](TFileAttrForm& d) { d.ReadOnlyBox()->setChecked(false); d.reject(); },
                         [&] { window->FileAttributes(); });
  ASSERT_EQ(stat(path.toLocal8Bit().constData(), &after), 0);
  EXPECT_EQ(after.st_mode & S_IWUSR, 0u);
  QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
  EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(FileCommands, AddFolderMovesIntoItAndANonEmptyFolderIsNeverRemoved) {
  Open();
  EXPECT_TRUE(OnModal<TfDirAdd>([](TfDirAdd& d) {
    EXPECT_EQ(d.windowTitle(), "Add New Folder");
    EXPECT_TRUE(d.NewFolder()->text().isEmpty());
    d.NewFolder()->setText("new one");
    d.accept();
  }, [&] { window->AddFolderCommand(); }));
  EXPECT_TRUE(QDir(dir.filePath("new one")).exists());
  EXPECT_EQ(window->Folder(), dir.filePath("new one"));
  // The same name again: refused with the warning.
  window->SetFolder(dir.path());
  OnModal<TfDirAdd>([](TfDirAdd& d) { d.NewFolder()->setText("new one"); d.accept(); },
                    [&] { window->AddFolderCommand(); });
  EXPECT_EQ(messages, QStringList{"Cannot create directory"});

  // A folder with a picture in it: asked, refused, content kept.
  messages.clear();
  SavePicture(dir.filePath("new one/kept.bmp"));
  window->SetFolder(dir.filePath("new one"));
  window->DeleteFolderCommand();
  EXPECT_EQ(questions, QStringList{"Delete folder " + dir.filePath("new one") + "?"});
  EXPECT_EQ(messages, QStringList{"Cannot remove directory"});
  EXPECT_TRUE(QFile::exists(dir.filePath("new one/kept.bmp")));
  // An empty one goes.
  QFile::remove(dir.filePath("new one/kept.bmp"));
  window->SetFolder(dir.filePath("new one"));
  window->DeleteFolderCommand();
  EXPECT_FALSE(QDir(dir.filePath("new one")).exists());
}

TEST_F(FileCommands, DroppedFilesMoveInAndTheLastMovedIsShown) {
  Open();
  QTemporaryDir elsewhere;
  SavePicture(elsewhere.filePath("f.bmp"));
  SavePicture(elsewhere.filePath("a.bmp"), 16);  // a.bmp exists in the folder
  SavePicture(elsewhere.filePath("g.bmp"));
  QFile(elsewhere.filePath("h.bmp")).open(QIODevice::WriteOnly);  // still empty
  const QByteArray f = Contents(elsewhere.filePath("f.bmp"));
  const QByteArray a = Contents(dir.filePath("a.bmp"));
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(elsewhere.filePath("f.bmp")),
                QUrl::fromLocalFile(elsewhere.filePath("a.bmp")),
                QUrl::fromLocalFile(elsewhere.filePath("g.bmp")),
                QUrl::fromLocalFile(elsewhere.filePath("h.bmp"))});
  const QPoint at = window->rect().center();
  QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &drop);
  EXPECT_EQ(messages, (QStringList{
                          "file " + dir.filePath("a.bmp") +
                              " already exists. Select another directory before moving",
                          elsewhere.filePath("h.bmp") +
                              " has a size of zero. This may be because it is not yet closed."}));
  EXPECT_EQ(Contents(dir.filePath("f.bmp")), f);
  EXPECT_FALSE(QFile::exists(elsewhere.filePath("f.bmp")));
  EXPECT_EQ(Contents(dir.filePath("a.bmp")), a);
  EXPECT_TRUE(QFile::exists(elsewhere.filePath("a.bmp")));
  EXPECT_TRUE(QFile::exists(elsewhere.filePath("h.bmp")));
  EXPECT_EQ(Files().Count(), 7);
  EXPECT_EQ(Files().CurrentFile(), dir.filePath("g.bmp"));
  EXPECT_TRUE(window->StatusText(2).startsWith("g.bmp"));
}

TEST_F(FileCommands, FirstStartListsEveryTypeAndPreferencesApplyAfterOk) {
  QSettings("Corvane", "LumivexTrial").remove("FileTypes");
  SavePicture(dir.filePath("p.png"));
  SavePicture(dir.filePath("t.tga"));
  Open();
  EXPECT_GE(Files().Find("p.png"), 0);
  EXPECT_GE(Files().Find("t.tga"), 0);
  WriteSetting("Deletions", "1");
  WriteSetting("PNG Editor", "/usr/bin/gimp");
  EXPECT_TRUE(OnModal<TfPrefs>([](TfPrefs& d) {
    EXPECT_EQ(d.windowTitle(), "Preferences");
    for (int i = 0; i < kFileTypeCount; ++i) EXPECT_TRUE(d.TypeBox(i)->isChecked()) << i;
    EXPECT_EQ(d.TypeBox(7)->text(), "PNG");
    EXPECT_EQ(d.EditorEdit(7)->text(), "/usr/bin/gimp");
    EXPECT_TRUE(d.PermanentChoice()->isChecked());
    EXPECT_TRUE(d.ConfirmBox()->isChecked());
    d.TypeBox(7)->setChecked(false);
    d.RecycleChoice()->setChecked(true);
    d.ConfirmBox()->setChecked(false);
    d.accept();
  }, [&] { MenuItem("File", "Set Preferences...")->trigger(); }));
  EXPECT_EQ(ReadSetting("FileTypes", ""), "1111111011");
  EXPECT_EQ(ReadSetting("Deletions", ""), "0");
  EXPECT_EQ(ReadSetting("Confirm Deletions", ""), "0");
  EXPECT_EQ(ReadSetting("PNG Editor", "x"), "/usr/bin/gimp");
  EXPECT_EQ(ReadSetting("JPG Editor", "x"), "");
  EXPECT_LT(Files().Find("p.png"), 0);
  EXPECT_GE(Files().Find("t.tga"), 0);
  EXPECT_FALSE(window->DeletesPermanently());
  EXPECT_FALSE(window->ConfirmsDeletions());
  // Cancel writes nothing.
  OnModal<TfPrefs>([](TfPrefs& d) { d.TypeBox(0)->setChecked(false); d.reject(); },
                   [&] { window->SetPreferences(); });
  EXPECT_EQ(ReadSetting("FileTypes", ""), "1111111011");
  // A file of a switched-off type asked for from outside: said so in the status bar.
  window->OpenFromShell(dir.filePath("p.png"));
  EXPECT_TRUE(window->StatusText(2).contains("switched off")) << window->StatusText(2).toStdString();
}

TEST_F(FileCommands, SearchFindsThroughLinkLoopsStopsAndShowsAResult) {
  QDir(dir.path()).mkpath("deep/er");
  SavePicture(dir.filePath("deep/er/x.bmp"));
  SavePicture(dir.filePath("deep/y.BMP"));
  ASSERT_TRUE(QFile::link(dir.path(), dir.filePath("deep/er/loop")));
  Open();
  TfSearch& search = windows->Get<TfSearch>();
  QTest::keyClick(window, Qt::Key_F3);
  ASSERT_TRUE(search.isVisible());
  EXPECT_EQ(search.windowTitle(), "File Search");
  EXPECT_EQ(search.SearchFor()->text(), "*.jpg");
  EXPECT_TRUE(search.SelectedDrive()->isChecked());
  search.AllDrives()->setChecked(true);
  EXPECT_FALSE(search.Drives()->isEnabled());
  search.SelectedDrive()->setChecked(true);
  // The drive list holds volumes; search the scratch folder as the selected "drive".
  search.Drives()->addItem(dir.path());
  search.Drives()->setCurrentIndex(search.Drives()->count() - 1);
  search.SearchFor()->setText("*.bmp");
  QTest::keyClick(search.SearchFor(), Qt::Key_Return);
  EXPECT_TRUE(search.Running());
  EXPECT_FALSE(search.FindButton()->isVisible());
  EXPECT_TRUE(search.StopButton()->isVisible());
  search.Find();  // a second search does not start while one runs
  QTRY_VERIFY_WITH_TIMEOUT(!search.Running(), 10000);
  EXPECT_EQ(search.Results()->count(), 7);
  EXPECT_EQ(search.StatusText(), "7 files found - Double click filename to view.");
  EXPECT_EQ(search.Results()->item(0)->text(), dir.filePath("a.bmp"));
  EXPECT_TRUE(search.FindButton()->isVisible());
  // A double-click shows the result in the main window.
  window->SetFolder(QDir::homePath());
  QListWidgetItem* x = search.Results()->findItems(dir.filePath("deep/er/x.bmp"), Qt::MatchExactly).value(0);
  ASSERT_TRUE(x);
  emit search.Results()->itemDoubleClicked(x);
  EXPECT_EQ(window->Folder(), dir.filePath("deep/er"));
  EXPECT_EQ(Files().CurrentFile(), dir.filePath("deep/er/x.bmp"));
  // Stop (Esc) during a search keeps what was found and shows its count.
  search.Drives()->setCurrentIndex(0);  // "/": long enough to stop
  search.SearchFor()->setText("*");
  search.Find();
  QTest::keyClick(&search, Qt::Key_Escape);
  EXPECT_FALSE(search.Running());
  EXPECT_EQ(search.StatusText(),
            QString::number(search.Results()->count()) + " files found - Double click filename to view.");
  search.close();
}

}  // namespace

namespace {

TEST_F(FileCommands, ImagePropertiesDescribeAFileAndPreviewOnlyRecognisedSmallOnes) {
  Open();
  TfrmFileProp& props = windows->Get<TfrmFileProp>();
  props.Fill(dir.filePath("a.bmp"));
  EXPECT_EQ(props.windowTitle(), "Image Properties");
  EXPECT_EQ(props.Value("FileName"), dir.filePath("a.bmp"));
  EXPECT_EQ(props.Value("Width"), "8");
  EXPECT_EQ(props.Value("Height"), "6");
  EXPECT_EQ(props.Value("BitsPerPixel"), "24");
  EXPECT_EQ(props.Value("GraphicCount"), "1");
  EXPECT_FALSE(props.Value("Type").isEmpty());
  EXPECT_EQ(props.Value("File Size"), QString::number(QFileInfo(dir.filePath("a.bmp")).size() / 1024 + 1) + "K");
  EXPECT_TRUE(props.Value("File Date").contains(QRegularExpression(" \\d{1,2}:\\d\\d (AM|PM)$")))
      << props.Value("File Date").toStdString();
  EXPECT_FALSE(props.Preview()->isHidden());
  // Not a picture: empty texts, zeros, no preview.
  QFile junk(dir.filePath("junk.jpg"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("not a picture at all");
  junk.close();
  props.Fill(dir.filePath("junk.jpg"));
  EXPECT_EQ(props.Value("Type"), "");
  EXPECT_EQ(props.Value("Width"), "0");
  EXPECT_TRUE(props.Preview()->isHidden());
  // From the pop-up's command, modal; OK closes it.
  Select("b.bmp");
  EXPECT_TRUE(OnModal<TfrmFileProp>([](TfrmFileProp& d) {
    EXPECT_EQ(d.Value("FileName").section('/', -1), "b.bmp");
    d.accept();
  }, [&] { window->ImageProperties(); }));
}

TEST_F(FileCommands, ImagePropertiesShowALongPathWhole) {
  Open();
  QString folder = dir.path();
  for (const char* part : {"/holiday_pictures_from_the_summer", "/second_week_at_the_seaside"}) {
    folder += part;
    ASSERT_TRUE(QDir().mkpath(folder));
  }
  const QString path = folder + "/a_picture_with_a_rather_long_name.bmp";
  ASSERT_TRUE(QFile::copy(dir.filePath("a.bmp"), path));
  TfrmFileProp& props = windows->Get<TfrmFileProp>();
  props.Fill(path);
  props.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&props));
  auto* name = props.findChild<QLabel*>("FileName");
  auto* count = props.findChild<QLabel*>("GraphicCount");
  ASSERT_TRUE(name && count);
  EXPECT_GE(name->height(), name->heightForWidth(name->width())) << "the path is cut off";
  EXPECT_LE(count->geometry().bottom(), props.height()) << "the last row falls off the window";
  // Beside the preview, the values (not the short captions) take most of the width.
  EXPECT_GE(name->width(), props.width() * 2 / 5) << "the values get a narrow column";
  props.hide();
}

}  // namespace

namespace {

TEST_F(FileCommands, EveryWindowComesBackWhereTheUserLeftIt) {
  QSettings("Lumivex", "TfSearch").clear();
  Open();
  {
    TfSearch& search = windows->Get<TfSearch>();
    search.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&search));
    search.setGeometry(120, 90, 600, 380);
    search.hide();
  }
  EXPECT_EQ(QSettings("Lumivex", "TfSearch").value("Position/Left").toString(), "120");
  windows.reset();
  Open();
  TfSearch& again = windows->Get<TfSearch>();
  again.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
  EXPECT_EQ(again.geometry(), QRect(120, 90, 600, 380));
  again.hide();
}

}  // namespace
