// The main window's menus and small controls driven as a user drives them: Printer Setup,
// the help and contact commands, bookmarks with unusual folder names, the interval box, the
// slideshow's count across window activations, and the folder tree at start.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleOptionSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/HelpSearch.h"
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "controls/FolderTree.h"
#include "mover/SelectFiles.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "tests/app/QtPrinters.h"

namespace {

// Receives the addresses the program hands to the desktop.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> Urls;
 public slots:
  void Open(const QUrl& url) { Urls << url; }
};

void SavePicture(const QString& path) {
  TPixelGraphic g;
  g.SetSize(8, 6, pf24Bit);
  SaveToFile(g, path.toStdString());
}

struct Commands : ::testing::Test {
  QTemporaryDir dir;
  QStringList messages;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;
  UrlCatcher catcher;

  void SetUp() override {
    SetMessageHook([this](const QString& t) { messages << t; });
    WriteSetting("FileTypes", "111111");
    WriteSetting("Directory", dir.path());
    for (const char* n : {"a.bmp", "b.bmp", "c.bmp"}) SavePicture(dir.filePath(n));
    for (const char* scheme : {"https", "mailto", "file"})
      QDesktopServices::setUrlHandler(scheme, &catcher, "Open");
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    window->SetBookmarkFile(dir.filePath("bm/bookmrks.dat"));
    window->resize(800, 500);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  }
  void TearDown() override {
    windows.reset();
    for (const char* scheme : {"https", "mailto", "file"}) QDesktopServices::unsetUrlHandler(scheme);
    SetMessageHook(nullptr);
  }
  // The menu bar item with this caption (accelerator marks ignored).
  QMenu* Menu(const QString& caption) const {
    for (QAction* a : window->menuBar()->actions())
      if (a->text().remove('&') == caption) return a->menu();
    return nullptr;
  }
  static QAction* Item(QMenu* menu, const QString& caption) {
    if (!menu) return nullptr;
    for (QAction* a : menu->actions()) {
      if (a->text() == caption) return a;
      if (QAction* inner = a->menu() ? Item(a->menu(), caption) : nullptr) return inner;
    }
    return nullptr;
  }
  QAction* BookmarkItem(int i) const { return window->BookmarksMenu()->actions().value(3 + i); }
  QByteArray BookmarkFile() const {
    QFile f(dir.filePath("bm/bookmrks.dat"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

TEST_F(Commands, PrinterSetupOpensThePrinterDialog) {
  QAction* setup = Item(Menu("File"), "Printer Setup");
  ASSERT_TRUE(setup);
  QString seen;
  QStringList buttons;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (dialog) {
      seen = dialog->windowTitle();
      for (QPushButton* b : dialog->findChildren<QPushButton*>()) buttons << b->text().remove('&');
      dialog->reject();
    }
  });
  setup->trigger();
  EXPECT_EQ(seen, "Print Setup");
  EXPECT_TRUE(buttons.contains("OK")) << buttons.join('|').toStdString();
  EXPECT_FALSE(buttons.contains("Print"));  // setting up prints nothing
}

TEST_F(Commands, TheFileMenuHasOneEditFileSubmenuAndOpensTheMoveTool) {
  QMenu* file = Menu("File");
  ASSERT_TRUE(file);
  QList<QMenu*> editFile;
  for (QAction* a : file->actions())
    if (a->menu() && a->text() == "Edit File") editFile << a->menu();
  ASSERT_EQ(editFile.size(), 1) << "the File menu shows \"Edit File\" more than once";
  QStringList inner;
  for (QAction* a : editFile[0]->actions()) inner << a->text();
  EXPECT_EQ(inner, QStringList({"In Lumivex", "In External Editor"}));

  QAction* move = Item(file, "Move files...");
  ASSERT_TRUE(move);
  move->trigger();
  EXPECT_TRUE(windows->Get<TfSelectFiles>().isVisible());
  windows->Get<TfSelectFiles>().hide();
  QAction* button = window->findChild<QAction*>("VexMoverButton");
  ASSERT_TRUE(button);
  EXPECT_EQ(button->toolTip(), "VexMover");
  button->trigger();
  EXPECT_TRUE(windows->Get<TfSelectFiles>().isVisible());
  windows->Get<TfSelectFiles>().hide();
}

TEST_F(Commands, ThePopupOffersTheWallpaperCommandsByTheirNames) {
  auto* popup = window->findChild<QMenu*>("PopupMenu1");
  ASSERT_TRUE(popup);
  QAction* setAs = nullptr;
  for (QAction* a : popup->actions())
    if (a->text() == "Set As Wallpaper") setAs = a;
  ASSERT_TRUE(setAs && setAs->menu());
  QStringList styles;
  for (QAction* a : setAs->menu()->actions()) styles << a->text();
  EXPECT_EQ(styles, QStringList({"Centered", "Tiled", "Stretched"}));
  QAction* remove = window->findChild<QAction*>("RemoveWallpaper1");
  ASSERT_TRUE(remove);
  EXPECT_TRUE(popup->actions().contains(remove)) << "\"Remove Wallpaper\" is not a style";
}

TEST_F(Commands, HelpAndContactCommandsReachTheDesktop) {
  QMenu* help = Menu("Help");
  ASSERT_TRUE(help);
  for (const char* caption : {"Contents", "Search For Help On...", "How To Use Help...",
                              "Contacting us...", "Go to our web site", "email us", "About Lumivex"})
    EXPECT_TRUE(Item(help, caption)) << caption;
  EXPECT_FALSE(Item(help, "Search For Help On...")->isVisible());
  Item(help, "Go to our web site")->trigger();
  Item(help, "email us")->trigger();
  Item(help, "How To Use Help...")->trigger();
  ASSERT_EQ(catcher.Urls.size(), 3);
  EXPECT_EQ(catcher.Urls[0].scheme(), "https");
  EXPECT_EQ(catcher.Urls[1].scheme(), "mailto");
  EXPECT_TRUE(catcher.Urls[2].toLocalFile().endsWith("/help/using-help.html"));
}

TEST_F(Commands, SearchForHelpFindsTopicsByTheirWords) {
  TfHelpSearch& search = windows->Get<TfHelpSearch>();
  search.SetFolder(LUMIVEX_HELP_DIR);
  Item(Menu("Help"), "Search For Help On...")->trigger();
  ASSERT_TRUE(search.isVisible());
  EXPECT_EQ(search.Topics()->count(), QDir(LUMIVEX_HELP_DIR).entryList({"*.html"}).size());  // no words: every topic
  QTest::keyClicks(search.Words(), "browser BACK");
  ASSERT_EQ(search.Topics()->count(), 2);
  QStringList found;
  for (int i = 0; i < search.Topics()->count(); ++i) found << search.Topics()->item(i)->text();
  found.sort();
  EXPECT_EQ(found, (QStringList{"Editing an image", "How to use the help"}));
  QTest::keyClicks(search.Words(), " zebra");
  EXPECT_EQ(search.Topics()->count(), 0);
  search.Words()->clear();
  QTest::keyClicks(search.Words(), "slideshow");
  ASSERT_EQ(search.Topics()->count(), 1);
  QTest::keyClick(search.Words(), Qt::Key_Return);
  ASSERT_EQ(catcher.Urls.size(), 1);
  EXPECT_TRUE(catcher.Urls[0].toLocalFile().endsWith("/index.html"));
}

TEST_F(Commands, BookmarksKeepFolderNamesAsTheyAre) {
  for (const char* n : {"Photos", "photos", "a&b", "two\nlines"}) ASSERT_TRUE(QDir(dir.path()).mkdir(n));
  QAction* add = Item(window->BookmarksMenu(), "Add Bookmark");
  window->SetFolder(dir.filePath("Photos"));
  add->trigger();
  window->SetFolder(dir.filePath("photos"));  // another folder: names differ by case here
  add->trigger();
  EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
  EXPECT_EQ(BookmarkFile(), (dir.filePath("Photos") + "\r\n" + dir.filePath("photos") + "\r\n").toUtf8());
  add->trigger();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages.last(), dir.filePath("photos") + " is already bookmarked!");
  // A line break in the name would split the entry in two: refused, the file unchanged.
  const QByteArray before = BookmarkFile();
  window->SetFolder(dir.filePath("two\nlines"));
  add->trigger();
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages.last().contains("line break"));
  EXPECT_EQ(BookmarkFile(), before);
  // An "&" in a name is shown as it is, not as an accelerator, and leads to that folder.
  window->SetFolder(dir.filePath("a&b"));
  add->trigger();
  QAction* amp = BookmarkItem(2);
  ASSERT_TRUE(amp);
  EXPECT_EQ(amp->text(), dir.filePath("a&&b"));
  window->SetFolder(dir.path());
  amp->trigger();
  EXPECT_EQ(window->Folder(), dir.filePath("a&b"));
  // Empty lines written by another tool are no bookmarks.
  QFile f(dir.filePath("bm/bookmrks.dat"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("\n/tmp\r\n\r\n\n/usr\n\n");
  f.close();
  window->RebuildBookmarkMenu();
  ASSERT_EQ(window->BookmarksMenu()->actions().size(), 5);
  EXPECT_EQ(BookmarkItem(0)->data().toString(), "/tmp");
  EXPECT_EQ(BookmarkItem(1)->data().toString(), "/usr");
}

TEST_F(Commands, TheIntervalChangesOnlyWithItsArrows) {
  QSpinBox* seconds = window->SecondsBox();
  ASSERT_EQ(seconds->value(), 4);
  seconds->setFocus();
  for (Qt::Key key : {Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Down, Qt::Key_PageDown})
    QTest::keyClick(seconds, key);
  QWheelEvent wheel(QPointF(5, 5), seconds->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(seconds, &wheel);
  EXPECT_EQ(seconds->value(), 4);
  QStyleOptionSpinBox option;
  option.initFrom(seconds);
  option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
  option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
  const QRect up = seconds->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, seconds);
  QTest::mouseClick(seconds, Qt::LeftButton, Qt::NoModifier, up.center());
  EXPECT_EQ(seconds->value(), 5);
  EXPECT_EQ(window->Slideshow().Timer().interval(), 5000);
}

TEST_F(Commands, ActivatingTheWindowKeepsTheSlideshowCount) {
  window->LumivexBtn()->trigger();
  ASSERT_TRUE(window->Slideshow().Running());
  const int timer = window->Slideshow().Timer().timerId();
  QTest::qWait(800);
  QApplication::setActiveWindow(window);
  QEvent activation(QEvent::ActivationChange);
  QApplication::sendEvent(window, &activation);
  ASSERT_TRUE(window->isActiveWindow());
  EXPECT_EQ(window->Slideshow().Timer().timerId(), timer) << "the countdown started over";
  EXPECT_LE(window->Slideshow().Timer().remainingTime(), 3500);
  // A new folder starts the show over at its first file, with a full interval.
  QTemporaryDir other;
  SavePicture(other.filePath("z.bmp"));
  window->SetFolder(other.path());
  EXPECT_GT(window->Slideshow().Timer().remainingTime(), 3500);
  EXPECT_TRUE(window->StatusText(2).startsWith("z.bmp"));
}

// A folder whose place in its parent's list is only known once the parent is sorted.
TEST(FolderTreeAtStart, ShowsTheCurrentFolderOnceTheTreeHasLoaded) {
  QTemporaryDir root;
  for (int i = 0; i < 120; ++i) QDir(root.path()).mkdir(QStringLiteral("d%1").arg(i, 3, 10, QLatin1Char('0')));
  QDir(root.path()).mkdir("zz-pictures");
  const QString folder = root.filePath("zz-pictures");
  WriteSetting("Directory", folder);
  TWindows windows;
  TForm1& window = windows.Main();
  window.resize(700, 400);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  TFolderTree* tree = window.FolderTree();
  auto* model = static_cast<QFileSystemModel*>(tree->model());
  // The parent is listed, sorted and laid out.
  ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(model->index(root.path())) == 121; }, 10000));
  QTest::qWait(200);
  EXPECT_EQ(tree->CurrentPath(), folder);
  const QRect at = tree->visualRect(tree->currentIndex());
  EXPECT_TRUE(tree->viewport()->rect().intersects(at)) << "the current folder is out of view";
}

}  // namespace

#include "test_main_window_commands.moc"
