#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include "imaging/PGraphic.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "tests/thumbs/FakeHost.h"
#include "thumbs/SaveThumbnailDialog.h"
#include "thumbs/ThumbBuilder.h"
#include "thumbs/ThumbListModel.h"
#include "thumbs/ThumbnailsWindow.h"

namespace {

void WritePicture(const QString& path, int w, int h, TRGB color, int extraBytes = 0) {
  TPixelGraphic p;
  p.SetSize(w, h, pf24Bit);
  p.SetBackGroundColor(color);
  p.Clear();
  SaveToFile(p, path.toStdString());
  if (extraBytes > 0) {
    QFile f(path);
    f.open(QIODevice::Append);
    f.write(QByteArray(extraBytes, '\0'));
  }
}

// The colour of a thumbnail's pixel as the list holds it.
QRgb ThumbPixel(const TThumbListModel& model, int row, int x, int y) {
  const QVariant v = model.data(model.index(row, 0), Qt::DecorationRole);
  return v.value<QPixmap>().toImage().pixel(x, y) & 0xFFFFFF;
}

QRgb ToQRgb(TRGB c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)) & 0xFFFFFF; }

bool WaitBuilt(TfrmThumbnails& w) {
  return QTest::qWaitFor([&] { return !w.Builder().Running(); }, 20000);
}

QAction* Action(QWidget& w, const char* name) { return w.findChild<QAction*>(name); }

struct Explorer : ::testing::Test {
  QTemporaryDir dir;
  TFakeHost host;
  std::unique_ptr<TfrmThumbnails> window;
  QStringList messages;

  void SetUp() override {
    SetMessageHook([this](const QString& t) { messages << t; });
    window = std::make_unique<TfrmThumbnails>(host);
  }
  void TearDown() override {
    window.reset();
    SetMessageHook(nullptr);
  }
  QStringList Rows() const {
    QStringList names;
    for (int r = 0; r < window->Model().rowCount(); ++r) names << window->Model().NameOf(r);
    return names;
  }
  void ClickHeader(int column) {
    QHeaderView* header = window->DetailsView()->header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
  }
};

}  // namespace

TEST_F(Explorer, OpensOnTheFolderWithTheMaskInDetails) {
  WritePicture(dir.filePath("b.bmp"), 10, 10, 0);
  WritePicture(dir.filePath("A.bmp"), 10, 10, 0);
  WritePicture(dir.filePath("c.png"), 10, 10, 0);
  window->OpenFolder(dir.path(), "*.bmp");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Thumbnail Explorer");
  EXPECT_EQ(window->View(), TfrmThumbnails::vDetails);
  EXPECT_TRUE(Action(*window, "tbReport")->isChecked());
  EXPECT_EQ(Rows(), (QStringList{"A.bmp", "b.bmp"}));
  EXPECT_EQ(window->Panel(0), dir.path() + "/");
  EXPECT_EQ(window->Panel(3), "2 files");
  const TThumbListModel& m = window->Model();
  EXPECT_EQ(m.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Size");
  EXPECT_EQ(m.data(m.index(0, 2), Qt::DisplayRole).toString(), "BMP");
  EXPECT_TRUE(m.data(m.index(0, 1), Qt::DisplayRole).toString().endsWith("K"));
  EXPECT_EQ(window->DetailsView()->palette().color(QPalette::Base), QColor(254, 255, 230));
  // A folder that cannot be read leaves an empty list and a message in the status bar.
  window->SelectFolder(dir.filePath("missing"));
  EXPECT_EQ(window->Model().rowCount(), 0);
  EXPECT_EQ(window->Panel(3), "0 files");
}

TEST_F(Explorer, HeaderClicksSortSizesNumericallyAndFlipTheDirection) {
  // 9K, 10K and 2K: as texts "10K" would come first.
  WritePicture(dir.filePath("a.bmp"), 4, 4, 0, 9 * 1024);
  WritePicture(dir.filePath("b.bmp"), 4, 4, 0, 10 * 1024);
  WritePicture(dir.filePath("c.bmp"), 4, 4, 0, 1024);
  window->OpenFolder(dir.path(), "*.bmp");
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  ClickHeader(1);
  EXPECT_EQ(Rows(), (QStringList{"c.bmp", "a.bmp", "b.bmp"}));
  ClickHeader(1);
  EXPECT_EQ(Rows(), (QStringList{"b.bmp", "a.bmp", "c.bmp"}));
  EXPECT_FALSE(window->SortAscending());
  ClickHeader(0);
  EXPECT_EQ(Rows(), (QStringList{"a.bmp", "b.bmp", "c.bmp"}));
  EXPECT_TRUE(window->SortAscending());
  // The selection follows its file through a sort.
  window->Selection()->select(window->Model().index(0, 0),
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  ClickHeader(1);
  EXPECT_EQ(window->SelectedNames(), QStringList{"a.bmp"});
  EXPECT_EQ(window->Selection()->selectedRows().first().row(), 1);
}

TEST_F(Explorer, ThumbnailsLandAtTheirOffsetsAndAreBuiltOnce) {
  WritePicture(dir.filePath("wide.bmp"), 200, 100, RGBColor(255, 0, 0));
  WritePicture(dir.filePath("tall.bmp"), 100, 200, RGBColor(0, 0, 255));
  WritePicture(dir.filePath("small.bmp"), 50, 40, RGBColor(0, 255, 0));
  window->OpenFolder(dir.path(), "*.bmp");
  Action(*window, "tbIcon")->trigger();
  EXPECT_TRUE(window->Progress()->isVisible());
  EXPECT_EQ(window->Panel(1), "Press ESC to cancel...");
  ASSERT_TRUE(WaitBuilt(*window));
  EXPECT_EQ(window->Panel(1), "Thumbnails loaded");
  EXPECT_FALSE(window->Progress()->isVisible());
  EXPECT_TRUE(window->Panel(2).startsWith("3 of 3 (")) << window->Panel(2).toStdString();
  const TThumbListModel& m = window->Model();
  const QRgb list = qRgb(254, 255, 230) & 0xFFFFFF;
  const int small = m.RowOf("small.bmp"), tall = m.RowOf("tall.bmp"), wide = m.RowOf("wide.bmp");
  EXPECT_EQ(ThumbPixel(m, wide, 32, 31), ToQRgb(RGBColor(255, 0, 0)));
  EXPECT_EQ(ThumbPixel(m, wide, 32, 32), list);
  EXPECT_EQ(ThumbPixel(m, tall, 15, 10), list);
  EXPECT_EQ(ThumbPixel(m, tall, 16, 63), ToQRgb(RGBColor(0, 0, 255)));
  EXPECT_EQ(ThumbPixel(m, tall, 48, 10), list);
  EXPECT_EQ(ThumbPixel(m, small, 6, 0), list);
  EXPECT_EQ(ThumbPixel(m, small, 7, 0), ToQRgb(RGBColor(0, 255, 0)));
  EXPECT_EQ(ThumbPixel(m, small, 7, 40), list);

  const int builds = window->BuildsStarted();
  Action(*window, "tbReport")->trigger();
  EXPECT_FALSE(m.data(m.index(0, 0), Qt::DecorationRole).isValid());
  Action(*window, "tbIcon")->trigger();
  EXPECT_EQ(window->BuildsStarted(), builds);  // still the same folder's thumbnails
  window->SetThumbSize(96);
  EXPECT_EQ(window->BuildsStarted(), builds + 1);
  ASSERT_TRUE(WaitBuilt(*window));
  EXPECT_EQ(window->Model().data(window->Model().index(0, 0), Qt::DecorationRole)
                .value<QPixmap>().width(), 96);
}

TEST_F(Explorer, SortingAndChangingFolderDuringABuildNeverMixThumbnails) {
  QDir().mkdir(dir.filePath("one"));
  QDir().mkdir(dir.filePath("two"));
  for (int i = 0; i < 30; ++i) {
    const QString name = QString("p%1.bmp").arg(i, 2, 10, QChar('0'));
    WritePicture(dir.filePath("one/" + name), 120, 90, RGBColor(200, i * 8, 0), i * 300);
    WritePicture(dir.filePath("two/" + name), 120, 90, RGBColor(0, i * 8, 200));
  }
  window->SetLoadMode(TfrmThumbnails::lmLiveUpdate);
  window->OpenFolder(dir.filePath("one"), "*.bmp");
  Action(*window, "tbIcon")->trigger();
  window->ColumnClick(1);  // sort while the cells arrive
  QTest::qWait(5);
  window->ColumnClick(1);
  window->SelectFolder(dir.filePath("two"));  // and change folder before the end
  ASSERT_TRUE(WaitBuilt(*window));
  QTest::qWait(50);  // let any stale result arrive
  const TThumbListModel& m = window->Model();
  ASSERT_EQ(m.rowCount(), 30);
  for (int row = 0; row < 30; ++row) {
    const int i = m.NameOf(row).mid(1, 2).toInt();
    EXPECT_EQ(ThumbPixel(m, row, 32, 20), ToQRgb(RGBColor(0, i * 8, 200))) << m.NameOf(row).toStdString();
  }
  // Sorting after the build keeps each thumbnail with its file.
  window->ColumnClick(0);
  window->ColumnClick(0);
  for (int row = 0; row < 30; ++row) {
    const int i = m.NameOf(row).mid(1, 2).toInt();
    EXPECT_EQ(ThumbPixel(m, row, 32, 20), ToQRgb(RGBColor(0, i * 8, 200)));
  }
}

TEST_F(Explorer, EscapeStopsTheBuild) {
  for (int i = 0; i < 100; ++i)
    WritePicture(dir.filePath(QString("f%1.bmp").arg(i)), 300, 200, RGBColor(i, 0, 0));
  window->OpenFolder(dir.path(), "*.bmp");
  Action(*window, "tbIcon")->trigger();
  ASSERT_TRUE(window->Builder().Running());
  QTest::keyClick(window->IconView(), Qt::Key_Escape);
  EXPECT_FALSE(window->Builder().Running());
  EXPECT_EQ(window->Panel(1), "Stopped by user!");
  QTest::qWait(50);
  EXPECT_EQ(window->Panel(1), "Stopped by user!");
  EXPECT_LT(window->Builder().Done(), 100);
  EXPECT_FALSE(window->Progress()->isVisible());
}

TEST_F(Explorer, DraggedItemsCarryTheirPathsInListOrder) {
  for (const char* n : {"c.bmp", "a.bmp", "b.bmp"}) WritePicture(dir.filePath(n), 8, 8, 0);
  window->OpenFolder(dir.path(), "*.bmp");
  const TThumbListModel& m = window->Model();
  std::unique_ptr<QMimeData> data(
      m.mimeData({m.index(2, 0), m.index(0, 0), m.index(0, 3)}));
  ASSERT_EQ(data->urls().size(), 2);
  EXPECT_EQ(data->urls()[0].toLocalFile(), dir.filePath("a.bmp"));
  EXPECT_EQ(data->urls()[1].toLocalFile(), dir.filePath("c.bmp"));
  EXPECT_TRUE(m.flags(m.index(0, 0)) & Qt::ItemIsDragEnabled);
}

TEST_F(Explorer, SavingThumbnailsNeedsASelection) {
  WritePicture(dir.filePath("a.bmp"), 8, 8, 0);
  TfrmSaveThumbnail dialog;
  window->SetWindows(&dialog, nullptr);
  window->OpenFolder(dir.path(), "*.bmp");
  Action(*window, "tbVexToDisk")->trigger();
  EXPECT_EQ(messages, QStringList{"Select the pictures whose thumbnails are to be saved first"});
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(Explorer, ImagePropertiesGoThroughTheHost) {
  WritePicture(dir.filePath("a.bmp"), 8, 8, 0);
  window->OpenFolder(dir.path(), "*.bmp");
  window->Selection()->select(window->Model().index(0, 0),
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  window->ImageProperties();
  EXPECT_EQ(host.Properties, QStringList{dir.filePath("a.bmp")});
}

TEST(SaveThumbnailDialog, RefusesAnEmptyPrefixIntoTheSourceFolder) {
  QTemporaryDir dir;
  QStringList messages;
  SetMessageHook([&](const QString& t) { messages << t; });
  const QString photo = dir.filePath("photo.bmp");
  WritePicture(photo, 300, 150, RGBColor(1, 2, 3));
  const qint64 size = QFileInfo(photo).size();
  TfrmSaveThumbnail dialog;
  EXPECT_EQ(dialog.windowTitle(), "Save Thumbnail");
  EXPECT_EQ(dialog.Prefix()->text(), "thm_");
  dialog.FolderEdit()->setText(dir.path());
  dialog.Prefix()->clear();
  EXPECT_EQ(dialog.Save({photo}), -1);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("prefix"));
  EXPECT_EQ(QFileInfo(photo).size(), size);
  dialog.Prefix()->setText("thm_");
  dialog.TypeBox()->setCurrentIndex(3);  // PNG
  dialog.SizeBox()->setCurrentIndex(2);  // 96 X 96
  EXPECT_EQ(dialog.Save({photo}), 1);
  TPixelGraphic t;
  LoadFromFile(t, dir.filePath("thm_photo.png").toStdString());
  EXPECT_EQ(t.Width(), 96);
  EXPECT_EQ(t.Height(), 48);
  SetMessageHook(nullptr);
}

TEST_F(Explorer, ThumbnailsComeFromTheSharedCacheUnlessItIsTurnedOff) {
  const QString cache = qEnvironmentVariable("XDG_CACHE_HOME") + "/thumbnails/normal";
  QDir(cache).removeRecursively();
  WritePicture(dir.filePath("a.bmp"), 300, 200, RGBColor(9, 9, 9));
  QAction* use = Action(*window, "UseThumbnailCache");
  ASSERT_NE(use, nullptr);
  EXPECT_TRUE(use->isChecked());
  window->OpenFolder(dir.path(), "*.bmp");
  window->SetView(TfrmThumbnails::vThumbnails);
  ASSERT_TRUE(WaitBuilt(*window));
  EXPECT_EQ(QDir(cache).entryList(QDir::Files).size(), 1);

  QDir(cache).removeRecursively();
  use->setChecked(false);
  EXPECT_EQ(ReadSetting("ThumbnailCache", "1"), "0");
  window->Refresh();
  ASSERT_TRUE(WaitBuilt(*window));
  EXPECT_TRUE(window->Model().HasThumbnail("a.bmp"));
  EXPECT_FALSE(QDir(cache).exists());
  use->setChecked(true);
  EXPECT_EQ(ReadSetting("ThumbnailCache", "0"), "1");
}
