#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "imaging/PGraphic.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "tests/thumbs/FakeHost.h"
#include "thumbs/ThumbEditWindow.h"
#include "thumbs/ThumbVexOptions.h"
#include "thumbs/ThumbViewer.h"
#include "view/PGImage.h"

namespace {

void WritePicture(const QString& path, int w, int h, TRGB color) {
  TPixelGraphic p;
  p.SetSize(w, h, pf24Bit);
  p.SetBackGroundColor(color);
  p.Clear();
  SaveToFile(p, path.toStdString());
}

struct Creator : ::testing::Test {
  QTemporaryDir dir;
  TFakeHost host;
  TfrmThumbVexOptions options;
  std::unique_ptr<TfrmThumbEdit> window;
  QStringList messages;

  void SetUp() override {
    SetMessageHook([this](const QString& t) { messages << t; });
    window = std::make_unique<TfrmThumbEdit>(host);
    window->SetOptionsWindow(&options);
    window->show();
  }
  void TearDown() override {
    window.reset();
    SetMessageHook(nullptr);
  }
  // Drops file URLs on the list as a drag from the explorer does.
  void Drop(const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    QWidget* target = window->ListBox1->viewport();
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
  }
};

}  // namespace

TEST_F(Creator, DroppedFilesMakeTheSheet) {
  EXPECT_EQ(window->windowTitle(), "ThumbVex Creator");
  EXPECT_EQ(window->Panel(1), "Drag and drop files from the Thumbnail Explorer");
  QTest::mouseClick(window->btnMakeThumbVex, Qt::LeftButton);
  EXPECT_EQ(messages, QStringList{"You must drag some images into the listbox first!"});
  QStringList files;
  for (int i = 0; i < 7; ++i) {
    files << dir.filePath(QString("p%1.bmp").arg(i));
    WritePicture(files.last(), 300, 150, RGBColor(0, 0, 30 * i));
  }
  Drop(files.mid(0, 4));
  Drop(files.mid(4));
  EXPECT_EQ(window->Files(), files);
  messages.clear();
  QTest::mouseClick(window->btnMakeThumbVex, Qt::LeftButton);
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(window->Panel(0), "ThumbVex size : 716 X 282");
  const TPixelGraphic* sheet = window->PGImage1->PixelGraphic();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->Width(), 716);
  EXPECT_EQ(sheet->Height(), 282);
  // The seventh thumbnail (96 x 48) stands on the bottom of the cell at (20, 146).
  EXPECT_EQ(sheet->PixelColor(20 + 48, 146 + 47), RGBColor(255, 255, 255));
  EXPECT_EQ(sheet->PixelColor(20, 146 + 48), RGBColor(255, 0, 0));  // the border

  ASSERT_TRUE(window->SaveSheet(dir.filePath("sheet.png")));
  TPixelGraphic saved;
  LoadFromFile(saved, dir.filePath("sheet.png").toStdString());
  EXPECT_EQ(saved.Width(), 716);

  window->sbKAR->trigger();
  EXPECT_EQ(window->PGImage1->Stretch(), sAlwaysKAR);
  window->sbKAR->trigger();
  EXPECT_EQ(window->PGImage1->Stretch(), sNeverKAR);
}

TEST_F(Creator, OptionsChangeTheSheetAndABadFileLeavesItsCell) {
  WritePicture(dir.filePath("a.bmp"), 50, 40, RGBColor(0, 200, 0));
  QFile bad(dir.filePath("bad.bmp"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("BM broken");
  bad.close();
  window->AddFiles({dir.filePath("bad.bmp"), dir.filePath("a.bmp")});
  options.eCols->setValue(2);
  options.cbAddBorder->setChecked(false);
  options.cbDropShadow->setChecked(false);
  options.cbAutoSharpen->setChecked(false);
  ASSERT_TRUE(window->Generate());
  EXPECT_EQ(window->Panel(0), "ThumbVex size : 252 X 156");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], "Error loading file " + dir.filePath("bad.bmp"));
  const TPixelGraphic* sheet = window->PGImage1->PixelGraphic();
  EXPECT_EQ(sheet->PixelColor(20 + 48, 20 + 90), RGBColor(255, 255, 255));  // empty cell
  EXPECT_EQ(sheet->PixelColor(136 + 48, 20 + 90), RGBColor(0, 200, 0));     // 96 x 76

  // The list's menu: entries that need a selection are enabled only with one.
  window->ListBox1->setCurrentRow(-1);
  window->ListBox1->clearSelection();
  emit window->ListBox1->customContextMenuRequested(QPoint(5, 5));
  EXPECT_FALSE(window->ListMenu()->actions()[0]->isEnabled());
  window->ListMenu()->hide();
  window->ListBox1->setCurrentRow(1);
  window->ImageProperties();
  EXPECT_EQ(host.Properties, QStringList{dir.filePath("a.bmp")});
  window->DeleteSelected();
  EXPECT_EQ(window->Files(), QStringList{dir.filePath("bad.bmp")});
  window->ClearAll();
  EXPECT_EQ(window->ListBox1->count(), 0);
  EXPECT_EQ(window->PGImage1->PixelGraphic()->PixelColor(136 + 48, 20 + 90),
            RGBColor(255, 255, 255));
}

TEST_F(Creator, SizeOutsideItsRangeShowsTheMessageAndRestores96) {
  window->ShowOptions();
  ASSERT_TRUE(options.isVisible());
  EXPECT_EQ(options.windowTitle(), "ThumbVex Options");
  options.eSize->setFocus();
  options.eSize->selectAll();
  QTest::keyClicks(options.eSize, "2x5");  // letters are not accepted
  EXPECT_EQ(options.eSize->text(), "25");
  EXPECT_FALSE(options.CheckSize());
  EXPECT_EQ(messages, QStringList{"Invalid value. Enter a value between 30 and 900"});
  EXPECT_EQ(options.eSize->text(), "96");
  options.eSize->setText("900");
  EXPECT_TRUE(options.CheckSize());
  // A value typed beyond the range reaches the generation as the range message too.
  options.eSize->setText("9999");
  window->AddFiles({dir.filePath("x.bmp")});
  messages.clear();
  EXPECT_FALSE(window->Generate());
  EXPECT_EQ(messages, QStringList{"Invalid value. Enter a value between 30 and 900"});
  // Hiding the creator hides the options too.
  window->hide();
  EXPECT_FALSE(options.isVisible());
}

TEST_F(Creator, OptionsControlsWithoutCaptionsStillHaveNames) {
  for (const char* name : {"tbSharpeningFactor", "eBGImage", "btnBGImage"}) {
    auto* w = options.findChild<QWidget*>(name);
    ASSERT_TRUE(w) << name;
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(w);
    ASSERT_TRUE(access) << name;
    EXPECT_FALSE(access->text(QAccessible::Name).isEmpty()) << name;
  }
}

TEST(ThumbViewer, SizesItselfToThePicture) {
  EXPECT_EQ(TfrmThumbVex::ClientSizeFor(QSize(300, 200), QSize(1280, 800), 4), QSize(304, 204));
  EXPECT_EQ(TfrmThumbVex::ClientSizeFor(QSize(4000, 1000), QSize(1280, 800), 4), QSize(644, 164));
  QTemporaryDir dir;
  WritePicture(dir.filePath("p.bmp"), 300, 200, 0);
  QWidget owner;
  auto* viewer = new TfrmThumbVex(&owner);
  ASSERT_TRUE(viewer->Open(dir.filePath("p.bmp")));
  EXPECT_EQ(viewer->windowTitle(), "p.bmp");
  EXPECT_EQ(viewer->size(), QSize(304, 204));
  EXPECT_EQ(viewer->View()->Stretch(), sAlwaysKAR);
  QStringList messages;
  SetMessageHook([&](const QString& t) { messages << t; });
  auto* broken = new TfrmThumbVex(&owner);
  EXPECT_FALSE(broken->Open(dir.filePath("none.bmp")));
  EXPECT_EQ(messages.size(), 1);
  SetMessageHook(nullptr);
}
