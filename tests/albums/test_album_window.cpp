// The album window driven through its widgets, offscreen: dropping files, captions, reorder,
// delete, frame setup, album files and composing the pages.
#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPaintEngine>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "albums/AlbumForm.h"
#include "albums/AlbumList.h"
#include "albums/CaptionEditor.h"
#include "albums/FrameSetupForm.h"
#include "albums/core/AlbumFile.h"
#include "controls/ToolHost.h"
#include "platform/Messages.h"
#include "print/PreviewPrinter.h"
#include "print/PrinterDevice.h"
#include "tests/albums/AlbumTestUtil.h"

namespace {

class TFakeHost : public TToolHost {
 public:
  QString Folder;
  QStringList Mask;
  QString CurrentFile() const override { return {}; }
  QString CurrentFolder() const override { return Folder; }
  QStringList FileMask() const override { return Mask; }
  QStringList SelectedFiles() const override { return {}; }
  void RefreshFolder() override {}
  void ShowFile(const QString&) override {}
};

class AlbumWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FDir.isValid());
    SetMessageHook([this](const QString& text) { FMessages << text; });
    SetQuestionHook([this](const QString& text) {
      FQuestions << text;
      return FAnswer;
    });
    FWindow = std::make_unique<TfAlbum>(FHost);
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
  }
  void TearDown() override {
    FWindow.reset();
    SetMessageHook(nullptr);
    SetQuestionHook(nullptr);
  }

  QString Path(const QString& name) const { return FDir.path() + '/' + name; }

  // Drops local files on the list as the browser's file list does.
  void Drop(const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    QWidget* target = FWindow->LVAlbum()->viewport();
    const QPoint at(20, 20);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
  }

  void ClickRow(int row) {
    TAlbumList* list = FWindow->LVAlbum();
    const QRect r = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
  }

  QAction* Action(const QString& text) const {
    for (QAction* a : FWindow->findChildren<QAction*>())
      if (a->text().remove('&') == text) return a;
    return nullptr;
  }

  // Runs `inside` once the next modal dialog is up.
  static void WhenModal(std::function<void()> inside) {
    QTimer::singleShot(0, [inside = std::move(inside)] {
      QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
      inside();
    });
  }

  // The pictures (100 pixels wide or more) drawn on a recorded page.
  static int PageImageCount(const TPagePicture& page) {
    class TCounter : public QPaintEngine {
     public:
      int Images = 0;
      bool begin(QPaintDevice*) override { return true; }
      bool end() override { return true; }
      void updateState(const QPaintEngineState&) override {}
      void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
      void drawImage(const QRectF&, const QImage& image, const QRectF&, Qt::ImageConversionFlags) override {
        Images += image.width() >= 100;  // text may come as glyph images
      }
      Type type() const override { return User; }
    };
    class TDevice : public QPaintDevice {
     public:
      mutable TCounter Engine;
      QPaintEngine* paintEngine() const override { return &Engine; }
      int metric(PaintDeviceMetric m) const override {
        return m == PdmWidth || m == PdmHeight ? 10000 : m == PdmDepth ? 32 : m == PdmDpiX || m == PdmDpiY || m == PdmPhysicalDpiX || m == PdmPhysicalDpiY ? 96 : m == PdmDevicePixelRatioScaled ? 65536 : 1;
      }
    } device;
    QPainter painter(&device);
    PlayPage(painter, page, 96, 96);
    painter.end();
    return device.Engine.Images;
  }

  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (const TAlbumEntry& e : FWindow->Editor().Album().Entries) paths.push_back(e.Path);
    return paths;
  }

  QTemporaryDir FDir;
  TFakeHost FHost;
  std::unique_ptr<TfAlbum> FWindow;
  QStringList FMessages, FQuestions;
  bool FAnswer = true;
};

}  // namespace

TEST_F(AlbumWindow, LooksLikeTheAlbumMaker) {
  EXPECT_EQ(FWindow->windowTitle(), QStringLiteral("Lumivex VexAlbum Maker"));
  EXPECT_TRUE(FWindow->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(FWindow->minimumSize(), FWindow->maximumSize());
  TAlbumList* list = FWindow->LVAlbum();
  EXPECT_EQ(list->objectName(), QStringLiteral("LVAlbum"));
  EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Filename"));
  EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Caption"));
  EXPECT_EQ(list->header()->sectionSize(0), 220);
  QStringList buttons;
  for (QAction* a : FWindow->findChild<QToolBar*>()->actions()) buttons << a->text();
  EXPECT_EQ(buttons, (QStringList{"Page Setup", "Frame Setup", "Clear List", "Import Directory",
                                  "Preview"}));
  EXPECT_EQ(FWindow->StatusText(1), QStringLiteral("0"));
}

TEST_F(AlbumWindow, DroppedFilesAreAppendedAndVideosRefused) {
  Drop({Path("a.jpg"), Path("b.png")});
  Drop({Path("clip.avi"), Path("c.gif")});
  EXPECT_EQ(Paths(), (std::vector<std::string>{Path("a.jpg").toStdString(),
                                               Path("b.png").toStdString(),
                                               Path("c.gif").toStdString()}));
  EXPECT_EQ(FMessages, QStringList{"You can't add an AVI file to a photo album"});
  EXPECT_EQ(FWindow->LVAlbum()->topLevelItemCount(), 3);
  EXPECT_EQ(FWindow->LVAlbum()->topLevelItem(1)->text(0), Path("b.png"));
  EXPECT_EQ(FWindow->StatusText(1), QStringLiteral("3"));
}

TEST_F(AlbumWindow, CaptionsAreEditedInPlaceEnterStoresEscKeeps) {
  Drop({Path("a.jpg"), Path("b.jpg")});
  ClickRow(1);
  QRect editorRect;
  WhenModal([&] {
    TfrmEdit* editor = FWindow->CaptionEditor();
    editorRect = editor->geometry();
    EXPECT_EQ(editor->Editor()->selectedText(), QString());
    QTest::keyClicks(editor->Editor(), "Beach");
    QTest::keyClick(editor->Editor(), Qt::Key_Return);
  });
  QTest::keyClick(FWindow->LVAlbum(), Qt::Key_Insert);
  EXPECT_EQ(FWindow->Editor().Entry(1).Caption, "Beach");
  EXPECT_EQ(FWindow->LVAlbum()->topLevelItem(1)->text(1), QStringLiteral("Beach"));
  // The editor lay over the caption cell of the row.
  TAlbumList* list = FWindow->LVAlbum();
  const QRect row = list->visualItemRect(list->topLevelItem(1));
  const QPoint cell = list->viewport()->mapToGlobal(QPoint(list->header()->sectionViewportPosition(1), row.top()));
  EXPECT_NEAR(editorRect.left(), cell.x(), 1);
  EXPECT_NEAR(editorRect.center().y(), list->viewport()->mapToGlobal(row.center()).y(), 2);
  EXPECT_EQ(editorRect.width(), list->columnWidth(1));

  // Double click opens it with the caption, all selected; Esc leaves the caption.
  WhenModal([&] {
    QLineEdit* line = FWindow->CaptionEditor()->Editor();
    EXPECT_EQ(line->selectedText(), QStringLiteral("Beach"));
    QTest::keyClicks(line, "Storm");
    QTest::keyClick(line, Qt::Key_Escape);
  });
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(FWindow->Editor().Entry(1).Caption, "Beach");
  EXPECT_TRUE(FMessages.isEmpty());
}

TEST_F(AlbumWindow, DeleteKeyRemovesAndMoveCommandsReorder) {
  Drop({Path("a.jpg"), Path("b.jpg"), Path("c.jpg")});
  ClickRow(0);
  Action(QStringLiteral("Move Down"))->trigger();
  Action(QStringLiteral("Move Down"))->trigger();
  Action(QStringLiteral("Move Down"))->trigger();  // already last: nothing happens
  EXPECT_EQ(Paths(), (std::vector<std::string>{Path("b.jpg").toStdString(),
                                               Path("c.jpg").toStdString(),
                                               Path("a.jpg").toStdString()}));
  EXPECT_EQ(FWindow->LVAlbum()->CurrentRow(), 2);
  Action(QStringLiteral("Move Up"))->trigger();
  ClickRow(0);
  QTest::keyClick(FWindow->LVAlbum(), Qt::Key_Delete);
  EXPECT_EQ(Paths(), (std::vector<std::string>{Path("a.jpg").toStdString(),
                                               Path("c.jpg").toStdString()}));
  EXPECT_EQ(FWindow->StatusText(1), QStringLiteral("2"));
  Action(QStringLiteral("Clear List"))->trigger();
  EXPECT_EQ(FWindow->Editor().Count(), 0);
  QTest::keyClick(FWindow->LVAlbum(), Qt::Key_Delete);  // nothing selected: nothing happens
  EXPECT_EQ(FWindow->StatusText(1), QStringLiteral("0"));
}

TEST_F(AlbumWindow, SaveAsSaveAndAFailedOpenThatKeepsTheAlbumAndItsFile) {
  Action(QStringLiteral("Save"))->trigger();
  EXPECT_EQ(FMessages, QStringList{"You need to have entries in the Album to save"});
  Drop({Path("a.jpg"), Path("b.jpg")});
  QStringList titles;
  FWindow->ChooseSaveFile = [&](const QString& title, const QString&) {
    titles << title;
    return Path("holiday");
  };
  Action(QStringLiteral("Save"))->trigger();  // no file name yet: asks for one
  EXPECT_EQ(titles, QStringList{"Lumivex Save Album"});
  EXPECT_EQ(ReadAlbumFile(Path("holiday.alb").toStdString()), FWindow->Editor().Album());

  Drop({Path("c.jpg")});
  Action(QStringLiteral("Save"))->trigger();
  EXPECT_EQ(FQuestions, QStringList{"Replace " + Path("holiday.alb") + "?"});
  EXPECT_EQ(ReadAlbumFile(Path("holiday.alb").toStdString()).Entries.size(), 3u);

  // A damaged album does not open: the album and the file it came from stay.
  WriteFileBytes(FDir.path(), "damaged.alb", "garbage");
  FWindow->ChooseOpenFile = [&](const QString& title, const QString&) {
    titles << title;
    return Path("damaged.alb");
  };
  FMessages.clear();
  Action(QStringLiteral("Open..."))->trigger();
  EXPECT_EQ(titles.last(), QStringLiteral("Lumivex Open Album"));
  ASSERT_EQ(FMessages.size(), 1);
  EXPECT_TRUE(FMessages[0].contains(QStringLiteral("not an album file")));
  EXPECT_EQ(FWindow->Editor().Count(), 3);
  FQuestions.clear();
  Action(QStringLiteral("Save"))->trigger();
  EXPECT_EQ(FQuestions, QStringList{"Replace " + Path("holiday.alb") + "?"});
  EXPECT_EQ(ReadFileBytes(Path("damaged.alb").toStdString()), "garbage");

  // New empties the list; Open brings the album back with its settings.
  Action(QStringLiteral("New"))->trigger();
  EXPECT_EQ(FWindow->LVAlbum()->topLevelItemCount(), 0);
  FWindow->ChooseOpenFile = [&](const QString&, const QString&) { return Path("holiday.alb"); };
  Action(QStringLiteral("Open..."))->trigger();
  EXPECT_EQ(FWindow->LVAlbum()->topLevelItemCount(), 3);
  EXPECT_EQ(FWindow->StatusText(1), QStringLiteral("3"));
  // "No" to replacing asks for another name.
  FAnswer = false;
  FWindow->ChooseSaveFile = [&](const QString&, const QString&) { return Path("copy.alb"); };
  Action(QStringLiteral("Save"))->trigger();
  EXPECT_TRUE(QFile::exists(Path("copy.alb")));
  EXPECT_EQ(FWindow->Editor().FileName(), Path("copy.alb").toStdString());
}

TEST_F(AlbumWindow, FrameSetupChangesTheAlbumSettings) {
  WhenModal([&] {
    TfAPrefs* prefs = FWindow->FramePrefs();
    EXPECT_EQ(prefs->Rows()->value(), 3);
    EXPECT_EQ(prefs->Border()->value(), 150);
    prefs->Rows()->setFocus();
    QTest::keyClick(prefs->Rows(), Qt::Key_Down);
    QTest::keyClick(prefs->Border(), Qt::Key_Up);  // step 10
    QTest::mouseClick(prefs->PrintFrames(), Qt::LeftButton);
    QTest::mouseClick(qobject_cast<QRadioButton*>(prefs->CaptionGroup()->button(2)), Qt::LeftButton);
    QTest::mouseClick(prefs->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
  });
  Action(QStringLiteral("Frame Setup"))->trigger();
  const TAlbumSettings& s = FWindow->Editor().Settings();
  EXPECT_EQ(s.Rows, 2);
  EXPECT_EQ(s.Cols, 2);
  EXPECT_EQ(s.Border, 160);
  EXPECT_TRUE(s.PrintFrames);
  EXPECT_EQ(s.Caption, TCaptionOption::coCaption);
}

TEST_F(AlbumWindow, ImportDirectoryAppendsTheListedPicturesButNoVideos) {
  for (const char* name : {"b.png", "a.jpg", "clip.avi", "notes.txt"})
    WriteFileBytes(FDir.path(), name, "x");
  FHost.Folder = FDir.path();
  FHost.Mask = {"*.jpg", "*.png", "*.avi"};
  Action(QStringLiteral("Import Directory"))->trigger();
  EXPECT_EQ(Paths(), (std::vector<std::string>{Path("a.jpg").toStdString(),
                                               Path("b.png").toStdString()}));
  FHost.Folder = Path("gone");
  Action(QStringLiteral("Import All Files"))->trigger();
  EXPECT_EQ(FWindow->Editor().Count(), 2);
  ASSERT_EQ(FMessages.size(), 1);
  EXPECT_TRUE(FMessages[0].contains(Path("gone")));
}

TEST_F(AlbumWindow, PreviewComposesThePagesAndNamesThePicturesThatFailed) {
  const std::string photo = WriteSolidPicture(FDir.path(), "p.png", 300, 200, 0x404040);
  QStringList paths(7, QString::fromStdString(photo));
  paths << Path("missing.jpg");
  Drop(paths);
  int pages = -1;
  FWindow->ShowPreview = [&] { pages = FWindow->Engine().PageCount(); };
  Action(QStringLiteral("Preview"))->trigger();
  EXPECT_EQ(pages, 2);
  // Without a printer the pages are laid out for a 600-dpi one, so the border leaves room.
  if (!ReferencePrinter()) EXPECT_EQ(FWindow->Engine().Page(0).Metrics().ResX, 600);
  EXPECT_EQ(PageImageCount(FWindow->Engine().Page(0)), 6);
  EXPECT_EQ(FMessages, QStringList{"Can't load graphic file " + Path("missing.jpg")});
  EXPECT_EQ(FWindow->StatusText(0), QStringLiteral("Done"));
  EXPECT_EQ(FWindow->StatusText(1), QStringLiteral("8"));
  EXPECT_TRUE(FWindow->LVAlbum()->isEnabled());
  EXPECT_EQ(FWindow->Progress()->value(), 0);

  // Stop during composing keeps the preview closed.
  pages = -1;
  FMessages.clear();
  int seen = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    auto* stop = FWindow->findChild<QPushButton*>(QStringLiteral("StopButton"));
    if (!stop || !stop->isVisible() || ++seen > 1) return;
    // While the pages are made only Stop answers.
    EXPECT_FALSE(FWindow->findChild<QToolBar*>()->isEnabled());
    EXPECT_FALSE(FWindow->LVAlbum()->isEnabled());
    QTest::mouseClick(stop, Qt::LeftButton);
  });
  timer.start(0);
  Action(QStringLiteral("Preview"))->trigger();
  timer.stop();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(pages, -1);
  EXPECT_EQ(FWindow->StatusText(0), QStringLiteral("Stopped"));
}
