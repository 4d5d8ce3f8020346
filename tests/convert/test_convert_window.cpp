// The converter window driven through its widgets, offscreen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>

#include "controls/ToolHost.h"
#include "convert/ConvertWindow.h"
#include "convert/GIFTransDialog.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "view/PGImage.h"
#include "view/PicBox.h"
#include "view/SelectionGeometry.h"

namespace {

class TTestHost : public TToolHost {
 public:
  int Refreshes = 0;
  QStringList Properties;
  QString CurrentFile() const override { return {}; }
  QString CurrentFolder() const override { return {}; }
  QStringList FileMask() const override { return {}; }
  QStringList SelectedFiles() const override { return {}; }
  void RefreshFolder() override { ++Refreshes; }
  void ShowFile(const QString&) override {}
  void ShowImageProperties(const QString& path) override { Properties << path; }
};

// Runs `act` on the modal window of type T once it is shown (polling the event loop).
template <class T>
void WhenModal(std::function<void(T*)> act, int tries = 500) {
  QTimer::singleShot(10, [act, tries] {
    if (auto* w = dynamic_cast<T*>(QApplication::activeModalWidget())) {
      act(w);
    } else if (tries > 0) {
      WhenModal<T>(act, tries - 1);
    }
  });
}

// Counts the events of one type a watched object receives.
class TEventCounter : public QObject {
 public:
  TEventCounter(QEvent::Type type, int& count) : FType(type), FCount(count) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == FType) ++FCount;
    return false;
  }

 private:
  QEvent::Type FType;
  int& FCount;
};

// A 24-bit picture with a white left half and smooth colour ramps on the right.
std::unique_ptr<TPixelGraphic> Photo(int w, int h) {
  auto g = std::make_unique<TPixelGraphic>();
  g->SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      g->SetPixel(x, y, x < w / 2 ? RGBColor(255, 255, 255)
                                  : RGBColor((x * 2) & 0xFF, (y * 3) & 0xFF, (x + y) & 0xFF));
  return g;
}

int MaxDifference(const TPixelGraphic& a, const TPixelGraphic& b) {
  int worst = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TRGB p = a.PixelColor(x, y), q = b.PixelColor(x, y);
      worst = std::max({worst, std::abs(RedOf(p) - RedOf(q)), std::abs(GreenOf(p) - GreenOf(q)),
                        std::abs(BlueOf(p) - BlueOf(q))});
    }
  return worst;
}

QByteArray Slurp(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The transparent flag of a GIF's graphic control extension and the colour of the marked
// palette entry; -1 without the extension.
int TransparentFlag(const QByteArray& gif) {
  const int at = gif.indexOf(QByteArray("\x21\xF9\x04", 3));
  return at < 0 ? -1 : gif[at + 3] & 1;
}

struct ConvertWindow : testing::Test {
  QTemporaryDir dir;
  TTestHost host;
  std::unique_ptr<TfrmConvert> window;
  QStringList messages;
  QStringList questions;
  QList<bool> answers;  // one per question; Yes when they run out

  QString P(const QString& name) const { return dir.filePath(name); }

  void SetUp() override {
    ResetFormatSettings();
    WriteSetting("Confirm Deletions", "1");
    WriteSetting("Deletions", "0");
    SetMessageHook([this](const QString& t) { messages << t; });
    SetQuestionHook([this](const QString& t) {
      questions << t;
      return answers.isEmpty() ? true : answers.takeFirst();
    });
    auto photo = Photo(96, 64);
    SaveToFile(*photo, P("photo.bmp").toStdString());
    window = std::make_unique<TfrmConvert>(host);
    window->resize(800, 500);
  }
  void TearDown() override {
    window.reset();
    SetMessageHook(nullptr);
    SetQuestionHook(nullptr);
    ResetFormatSettings();
  }

  void Open(const QString& name) {
    window->OpenFile(P(name));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->LeftPane()->WaitForPaintCopy();
  }
  void ChooseType(int index) { window->FileType()->setCurrentIndex(index); }
  void ClickConvert() { QTest::mouseClick(window->ConvertButton(), Qt::LeftButton); }
  std::unique_ptr<TPixelGraphic> Read(const QString& name) {
    auto g = std::make_unique<TPixelGraphic>();
    LoadFromFile(*g, P(name).toStdString());
    return g;
  }
};

TEST_F(ConvertWindow, ConvertNowNeedsASourceThatCouldBeRead) {
  EXPECT_FALSE(window->ConvertButton()->isEnabled());
  QFile bad(P("broken.bmp"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("BM not really a bitmap");
  bad.close();
  Open("broken.bmp");
  EXPECT_FALSE(messages.isEmpty());
  EXPECT_FALSE(window->ConvertButton()->isEnabled());
  ClickConvert();
  EXPECT_FALSE(QFile::exists(P("broken.jpg")));

  Open("photo.bmp");
  EXPECT_TRUE(window->ConvertButton()->isEnabled());
  const qint64 size = QFileInfo(P("photo.bmp")).size();
  EXPECT_EQ(window->Panel(0), P("photo.bmp") + " " + QString::number(size / 1024 + 1) + "K");
  EXPECT_TRUE(window->Panel(1).isEmpty());
}

TEST_F(ConvertWindow, EveryTypeIsWrittenNextToTheSourceAndReadsBack) {
  Open("photo.bmp");
  const auto source = Read("photo.bmp");
  // BMP targets the source itself: No writes "!photo.bmp".
  answers << false;
  ChooseType(0);
  ClickConvert();
  ASSERT_EQ(questions, QStringList{P("photo.bmp") + " exists. Overwrite?"});
  EXPECT_EQ(window->TargetPath(), P("!photo.bmp"));
  EXPECT_EQ(MaxDifference(*Read("!photo.bmp"), *source), 0);
  for (const char* ext : {"tif", "png", "tga"}) {
    ChooseType(QString("BMP JPG TIF PNG TGA GIF").split(' ').indexOf(QString(ext).toUpper()));
    ClickConvert();
    const QString name = QString("photo.") + ext;
    EXPECT_EQ(window->TargetPath(), P(name));
    const auto back = Read(name);
    ASSERT_EQ(back->Width(), 96);
    EXPECT_EQ(MaxDifference(*back, *source), 0) << ext;
  }
  ChooseType(1);
  EXPECT_TRUE(window->JPEGBar()->isVisibleTo(window.get()));
  ClickConvert();
  EXPECT_LE(MaxDifference(*Read("photo.jpg"), *source), 40);
  ChooseType(5);
  EXPECT_TRUE(window->GIFBar()->isVisibleTo(window.get()));
  EXPECT_FALSE(window->JPEGBar()->isVisibleTo(window.get()));
  ClickConvert();
  const auto gif = Read("photo.gif");
  EXPECT_EQ(gif->PixelFormat(), pf8Bit);
  std::set<TRGB> colours;
  for (int y = 0; y < gif->Height(); ++y)
    for (int x = 0; x < gif->Width(); ++x) colours.insert(gif->PixelColor(x, y));
  EXPECT_LE(colours.size(), 252u);
  EXPECT_LE(MaxDifference(*gif, *source), 128);
  // The right pane shows the last file written.
  EXPECT_EQ(window->RightPane()->PixelGraphicNoWait()->Width(), 96);
  EXPECT_TRUE(window->Panel(1).startsWith(P("photo.gif") + " "));
  EXPECT_EQ(host.Refreshes, 6);
  EXPECT_EQ(questions.size(), 1);
}

TEST_F(ConvertWindow, OverwriteQuestionAnsweredYesReplacesNoAsksAgainForTheBangName) {
  Open("photo.bmp");
  ChooseType(3);
  QFile old(P("photo.png"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old");
  old.close();
  QFile::copy(P("photo.png"), P("!photo.png"));
  answers << true;
  ClickConvert();
  EXPECT_EQ(questions, QStringList{P("photo.png") + " exists. Overwrite?"});
  EXPECT_EQ(Read("photo.png")->Width(), 96);

  questions.clear();
  answers << false << false;
  ClickConvert();
  EXPECT_EQ(questions, (QStringList{P("photo.png") + " exists. Overwrite?",
                                    P("!photo.png") + " exists. Overwrite?"}));
  EXPECT_EQ(window->TargetPath(), P("!!photo.png"));
  EXPECT_EQ(Slurp(P("!photo.png")), QByteArray("old"));
  EXPECT_EQ(Read("!!photo.png")->Width(), 96);
}

TEST_F(ConvertWindow, JPEGQualitySliderSetsTheLibraryQuality) {
  Open("photo.bmp");
  ChooseType(1);
  window->QualityBar()->setValue(10);
  EXPECT_EQ(window->QualityLabel()->text(), "10");
  ClickConvert();
  EXPECT_EQ(CurrentFormatSettings().JPEGWriteQuality, 10);
  const qint64 small = QFileInfo(P("photo.jpg")).size();
  window->QualityBar()->setValue(100);
  ClickConvert();
  EXPECT_LT(small, QFileInfo(P("photo.jpg")).size());
}

TEST_F(ConvertWindow, ResizeModeWritesTheDisplayedSize) {
  auto big = Photo(900, 600);
  SaveToFile(*big, P("big.bmp").toStdString());
  Open("big.bmp");
  EXPECT_EQ(window->windowTitle(), "VexConverter- Original Size Mode");
  window->SizeToFit()->setChecked(false);
  window->MaintainOriginalSize()->trigger();
  EXPECT_EQ(window->windowTitle(), "VexConverter - ReSize Mode");
  EXPECT_TRUE(window->SizeToFit()->isChecked());
  QApplication::processEvents();
  const QRect shown = window->LeftPane()->PicBoxBounds();
  ASSERT_GT(shown.width(), 0);
  ASSERT_LT(shown.width(), 900);
  ChooseType(3);
  ClickConvert();
  auto back = Read("big.png");
  EXPECT_EQ(back->Width(), shown.width());
  EXPECT_EQ(back->Height(), shown.height());

  // Not fitted, the display size is the picture's own.
  window->SizeToFit()->setChecked(false);
  QApplication::processEvents();
  answers << true;
  ClickConvert();
  back = Read("big.png");
  EXPECT_EQ(back->Width(), 900);
  EXPECT_EQ(back->Height(), 600);
  window->MaintainOriginalSize()->trigger();
  EXPECT_EQ(window->windowTitle(), "VexConverter - Original Size Mode");
}

TEST_F(ConvertWindow, ResizeModeWithAHiddenPaneWritesTheOwnSizeNotZero) {
  Open("photo.bmp");
  window->MaintainOriginalSize()->setChecked(false);
  window->LeftPane()->setFixedSize(0, 0);
  QApplication::processEvents();
  ChooseType(3);
  ClickConvert();
  ASSERT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
  const auto back = Read("photo.png");
  EXPECT_EQ(back->Width(), 96);
  EXPECT_EQ(back->Height(), 64);
}

TEST_F(ConvertWindow, DeletingTheConvertedFileMovesItToTheTrash) {
  Open("photo.bmp");
  ChooseType(3);
  ClickConvert();
  EXPECT_TRUE(window->RightMenu()->actions()[1]->isEnabled());
  const int refreshes = host.Refreshes;
  answers << false;
  window->RightMenu()->actions()[1]->trigger();
  EXPECT_EQ(questions.last(), "Delete file " + P("photo.png") + "?");
  EXPECT_TRUE(QFile::exists(P("photo.png")));
  EXPECT_FALSE(window->RightPane()->IsEmpty());

  window->RightMenu()->actions()[1]->trigger();
  EXPECT_FALSE(QFile::exists(P("photo.png")));
  const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash";
  EXPECT_TRUE(QFile::exists(trash + "/files/photo.png"));
  EXPECT_TRUE(QFile::exists(trash + "/info/photo.png.trashinfo"));
  EXPECT_TRUE(window->RightPane()->IsEmpty());
  EXPECT_TRUE(window->TargetPath().isEmpty());
  EXPECT_TRUE(window->Panel(1).isEmpty());
  EXPECT_EQ(host.Refreshes, refreshes + 1);
  QDir(trash).removeRecursively();
}

TEST_F(ConvertWindow, PermanentDeletionWithoutQuestionFollowsTheBrowserSetting) {
  WriteSetting("Confirm Deletions", "0");
  WriteSetting("Deletions", "1");
  Open("photo.bmp");
  ChooseType(4);
  ClickConvert();
  window->DeleteConvertedFile();
  EXPECT_TRUE(questions.isEmpty());
  EXPECT_FALSE(QFile::exists(P("photo.tga")));
  EXPECT_FALSE(QFile::exists(qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files/photo.tga"));
  EXPECT_TRUE(window->RightPane()->IsEmpty());
}

TEST_F(ConvertWindow, AFailedDeleteKeepsTheConvertedPictureOnShow) {
  Open("photo.bmp");
  ChooseType(3);
  ClickConvert();
  ASSERT_TRUE(QFile::remove(P("photo.png")));  // gone behind the window's back
  window->DeleteConvertedFile();
  EXPECT_EQ(messages, QStringList{"Error moving " + P("photo.png") + " to recycle bin"});
  EXPECT_FALSE(window->RightPane()->IsEmpty());
  EXPECT_EQ(window->TargetPath(), P("photo.png"));
  EXPECT_FALSE(window->Panel(1).isEmpty());

  WriteSetting("Deletions", "1");
  messages.clear();
  window->DeleteConvertedFile();
  EXPECT_EQ(messages.size(), 1);
  EXPECT_FALSE(window->RightPane()->IsEmpty());
}

TEST_F(ConvertWindow, PropertiesGoToTheHostForSourceAndTarget) {
  EXPECT_FALSE(window->RightMenu()->actions()[0]->isEnabled());
  window->LeftMenu()->actions()[1]->trigger();
  EXPECT_TRUE(host.Properties.isEmpty());
  Open("photo.bmp");
  window->LeftMenu()->actions()[1]->trigger();
  ChooseType(3);
  ClickConvert();
  window->RightMenu()->actions()[0]->trigger();
  EXPECT_EQ(host.Properties, (QStringList{P("photo.bmp"), P("photo.png")}));
  window->LeftMenu()->actions()[0]->trigger();
  const QRect shown = window->LeftPane()->PicBoxBounds();
  EXPECT_EQ(messages.last(), QString("%1X%2").arg(shown.width()).arg(shown.height()));
}

TEST_F(ConvertWindow, GIFTransparencyComesFromTheSelectorOnlyWhenAsked) {
  Open("photo.bmp");
  ChooseType(5);
  int shown = 0;
  TEventCounter counter(QEvent::Show, shown);
  window->GIFTransWindow().installEventFilter(&counter);
  WhenModal<TfrmGIFTrans>([](TfrmGIFTrans* d) { d->reject(); }, 5);
  ClickConvert();
  QTest::qWait(120);  // the watch above has given up
  EXPECT_EQ(shown, 0);
  EXPECT_NE(TransparentFlag(Slurp(P("photo.gif"))), 1);

  window->Transparent()->setChecked(true);
  QString panels;
  TRGB underPointer = 0;
  answers << true;
  WhenModal<TfrmGIFTrans>([&](TfrmGIFTrans* d) {
    EXPECT_EQ(d->windowTitle(), "GIF Transparency Selector");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
    QWidget* box = d->View()->PicBox();
    // The pointer over the white half shows the colour the reduction gave it.
    QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), box->mapToGlobal(QPointF(4, 4)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box, &move);
    const TPixelGraphic* shownPicture = d->View()->PixelGraphicNoWait();
    const TSelectionMapper m{shownPicture->Width(), shownPicture->Height(),
                             d->View()->PicBoxBounds().width(), d->View()->PicBoxBounds().height()};
    underPointer = shownPicture->PixelColor(m.ToImageX(4), m.ToImageY(4));
    panels = d->Panel(0) + " " + d->Panel(1) + " " + d->Panel(2);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, 4));
  });
  ClickConvert();
  EXPECT_EQ(panels, QString("R=%1 G=%2 B=%3")
                        .arg(RedOf(underPointer))
                        .arg(GreenOf(underPointer))
                        .arg(BlueOf(underPointer)));
  EXPECT_GE(RedOf(underPointer), 240);
  EXPECT_EQ(window->GIFTransWindow().ChosenColor(), underPointer);
  // The file marks that colour transparent.
  const QByteArray gif = Slurp(P("photo.gif"));
  EXPECT_EQ(TransparentFlag(gif), 1);
  const int at = gif.indexOf(QByteArray("\x21\xF9\x04", 3));
  const int index = static_cast<unsigned char>(gif[at + 6]);
  const int table = 13 + 3 * index;
  EXPECT_EQ(RGBColor(static_cast<unsigned char>(gif[table]), static_cast<unsigned char>(gif[table + 1]),
                     static_cast<unsigned char>(gif[table + 2])),
            underPointer);
  EXPECT_EQ(shown, 1);
}

}  // namespace
