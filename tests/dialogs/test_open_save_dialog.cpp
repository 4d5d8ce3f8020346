// The open and save dialogs offscreen: their file types, the preview and information after the
// selection rests, a burst of selections loading once, the save dialog's names following the
// type, Execute's names, closing while a preview loads.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "dialogs/OpenSaveDialog.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"

namespace {

bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::qSleep(2);
  }
  return true;
}

void WritePicture(const QString& file, int w, int h, TPixelFormat format) {
  TPixelGraphic image;
  image.SetSize(w, h, format);
  if (format == pf8Bit) image.SetPaletteIdent(pGray256);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, format == pf8Bit ? (x + y) & 0xFF : 0x00336699u);
  SaveToFile(image, file.toStdString());
}

class OpenSaveDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    WritePicture(Path("gray.bmp"), 64, 48, pf8Bit);
    WritePicture(Path("icon.bmp"), 32, 32, pf24Bit);
    WritePicture(Path("photo.bmp"), 1600, 1200, pf24Bit);
    WritePicture(Path("small.png"), 20, 10, pf24Bit);
    QFile text(Path("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture\n");
  }
  QString Path(const QString& name) const { return Dir.filePath(name); }
  // Clicks the file in the dialog's list once the folder is listed.
  void Select(TPGOpenDialog& dialog, const QString& name) {
    auto* list = dialog.findChild<QListView*>("listView");
    ASSERT_NE(list, nullptr);
    QModelIndex item;
    ASSERT_TRUE(WaitFor([&] {
      const QAbstractItemModel* model = list->model();
      for (int r = 0; model && r < model->rowCount(list->rootIndex()); ++r) {
        const QModelIndex i = model->index(r, 0, list->rootIndex());
        if (i.data().toString() == name) item = i;
      }
      return item.isValid();
    })) << name.toStdString();
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
  }
  QTemporaryDir Dir;
};

QLineEdit* NameEdit(QFileDialog& d) { return d.findChild<QLineEdit*>("fileNameEdit"); }
QComboBox* TypeCombo(QFileDialog& d) { return d.findChild<QComboBox*>("fileTypeCombo"); }

}  // namespace

TEST_F(OpenSaveDialogTest, FileTypesFromTheRegistry) {
  TPGOpenDialog open;
  const QStringList filters = open.nameFilters();
  ASSERT_GE(filters.size(), 3);
  EXPECT_TRUE(filters.first().startsWith("Image files (*.bmp *.dib *.jif")) << filters.first().toStdString();
  EXPECT_EQ(filters[1], "BMP - Bitmap (*.bmp)");
  EXPECT_EQ(filters.last(), "All files (*)");
  EXPECT_TRUE(open.testOption(QFileDialog::DontUseNativeDialog));

  TPGSaveDialog save;
  EXPECT_EQ(save.nameFilters().first(), "BMP - Bitmap (*.bmp)");
  EXPECT_EQ(save.nameFilters().last(), "TIF - Tagged Image File Format (*.tif)");
  EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
}

TEST_F(OpenSaveDialogTest, OptionsAlwaysIncludeShareAware) {
  QStringList shown;
  SetMessageHook([&](const QString& text) { shown << text; });
  TPGOpenDialog dialog;
  EXPECT_EQ(dialog.Options(), ofHideReadOnly | ofShareAware);
  dialog.SetOptions(ofAllowMultiSelect | ofShareAware);
  EXPECT_TRUE(shown.isEmpty());
  EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
  dialog.SetOptions(ofHideReadOnly);
  SetMessageHook(nullptr);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_EQ(shown[0], "TPGOpenDialog.Options and TPGSaveDialog.Options must include ofShareAware!");
  EXPECT_EQ(dialog.Options(), ofHideReadOnly | ofShareAware);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
}

TEST_F(OpenSaveDialogTest, PreviewOfTheFirstOfSeveralSelectedFiles) {
  TPGOpenDialog dialog;
  dialog.SetOptions(ofAllowMultiSelect | ofShareAware);
  dialog.setDirectory(Dir.path());
  dialog.show();
  Select(dialog, "icon.bmp");
  auto* list = dialog.findChild<QListView*>("listView");
  const QModelIndex gray = [&] {
    for (int r = 0; r < list->model()->rowCount(list->rootIndex()); ++r)
      if (list->model()->index(r, 0, list->rootIndex()).data().toString() == "gray.bmp")
        return list->model()->index(r, 0, list->rootIndex());
    return QModelIndex();
  }();
  ASSERT_TRUE(gray.isValid());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, list->visualRect(gray).center());
  ASSERT_TRUE(WaitFor([&] { return dialog.PreviewImage() != nullptr && dialog.selectedFiles().size() == 2; }));
  EXPECT_EQ(dialog.PreviewImage()->Width(), dialog.selectedFiles().first().endsWith("icon.bmp") ? 32 : 64);
}

TEST_F(OpenSaveDialogTest, PreviewAndInformationOfTheSelectedFile) {
  TPGOpenDialog dialog;
  dialog.setDirectory(Dir.path());
  dialog.show();
  Select(dialog, "gray.bmp");
  ASSERT_TRUE(WaitFor([&] { return dialog.PreviewImage() != nullptr; }));
  EXPECT_EQ(dialog.PreviewImage()->Width(), 64);  // fits: its own size
  const QStringList lines = dialog.InfoLines();
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], "Bitmap");
  EXPECT_TRUE(lines[1].startsWith("Windows"));
  EXPECT_EQ(lines[2], "64x48x256 8 bit");

  Select(dialog, "photo.bmp");
  ASSERT_TRUE(WaitFor([&] { return dialog.PreviewImage() != nullptr && !dialog.Loading(); }));
  EXPECT_EQ(dialog.PreviewImage()->Width(), 180);  // the box less 4 pixels
  EXPECT_EQ(dialog.PreviewImage()->Height(), 135);

  // The types match names in any case.
  WritePicture(Path("UPPER.BMP"), 16, 8, pf24Bit);
  Select(dialog, "UPPER.BMP");
  ASSERT_TRUE(WaitFor([&] { return dialog.PreviewImage() && dialog.PreviewImage()->Width() == 16; }));

  const int loads = dialog.LoadsStarted();
  TypeCombo(dialog)->setFocus();
  QTest::keyClick(TypeCombo(dialog), Qt::Key_End);  // "All files" lists the text file
  EXPECT_EQ(dialog.selectedNameFilter(), "All files (*)");
  Select(dialog, "notes.txt");
  QTest::qWait(TPGOpenDialog::kSettleMs + 100);
  EXPECT_EQ(dialog.PreviewImage(), nullptr);
  EXPECT_TRUE(dialog.InfoLines().isEmpty());
  EXPECT_EQ(dialog.LoadsStarted(), loads);
}

TEST_F(OpenSaveDialogTest, SelectionBurstLoadsOnlyTheLast) {
  TPGOpenDialog dialog;
  dialog.setDirectory(Dir.path());
  dialog.show();
  Select(dialog, "icon.bmp");
  ASSERT_TRUE(WaitFor([&] { return dialog.PreviewImage() != nullptr; }));
  const int loads = dialog.LoadsStarted();
  for (const char* name : {"photo.bmp", "gray.bmp", "small.png"}) {
    Select(dialog, name);
    QTest::qWait(40);
  }
  ASSERT_TRUE(WaitFor([&] { return dialog.PreviewImage() != nullptr; }));
  EXPECT_EQ(dialog.LoadsStarted(), loads + 1);
  EXPECT_EQ(dialog.PreviewImage()->Width(), 20);
}

TEST_F(OpenSaveDialogTest, TypeChangeRenamesTheName) {
  TPGSaveDialog dialog;
  dialog.setDirectory(Dir.path());
  dialog.show();
  QLineEdit* edit = NameEdit(dialog);
  QComboBox* types = TypeCombo(dialog);
  ASSERT_NE(edit, nullptr);
  ASSERT_NE(types, nullptr);
  for (const QString& start : {QString("picture.tif"), QString("picture")}) {
    types->setCurrentIndex(7);  // TIF
    edit->setText(start);
    types->setFocus();
    for (int i = 0; i < 3; ++i) QTest::keyClick(types, Qt::Key_Up);  // to PNG
    EXPECT_TRUE(types->currentText().startsWith("PNG"));
    EXPECT_EQ(edit->text(), "picture.png") << start.toStdString();
  }
  edit->setText(Path("picture.bmp"));  // in the current folder: the name alone
  QTest::keyClick(types, Qt::Key_Down);
  EXPECT_EQ(edit->text(), "picture.ppm");
}

TEST_F(OpenSaveDialogTest, ExecuteNamesAndCancel) {
  TPGSaveDialog dialog;
  dialog.FileName = Path("holiday.jpg");
  QTimer::singleShot(200, [&] {
    EXPECT_TRUE(dialog.selectedNameFilter().startsWith("JPG")) << dialog.selectedNameFilter().toStdString();
    TypeCombo(dialog)->setCurrentIndex(4);  // PNG, without renaming
    NameEdit(dialog)->setText("newname");
    QTest::keyClick(NameEdit(dialog), Qt::Key_Return);
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, Path("newname.png"));

  TPGSaveDialog empty;
  QTimer::singleShot(200, [&] {
    NameEdit(empty)->clear();
    QTest::keyClick(&empty, Qt::Key_Escape);
  });
  EXPECT_FALSE(empty.Execute());
  EXPECT_EQ(empty.FileName, "");

  TPGOpenDialog open;
  open.FileName = Path("gray.bmp");
  QTimer::singleShot(300, [&] {
    EXPECT_TRUE(WaitFor([&] { return open.PreviewImage() != nullptr; }));
    QTest::keyClick(NameEdit(open), Qt::Key_Return);
  });
  ASSERT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName, Path("gray.bmp"));
  EXPECT_EQ(open.PreviewImage(), nullptr);  // freed with the window
}

TEST_F(OpenSaveDialogTest, ClosingWhileAPreviewLoads) {
  for (int wait : {0, 160, 170, 190}) {
    auto dialog = std::make_unique<TPGOpenDialog>();
    dialog->setDirectory(Dir.path());
    dialog->show();
    Select(*dialog, "photo.bmp");
    QTest::qWait(wait);
    dialog->reject();
    dialog.reset();
    QCoreApplication::processEvents();
  }
  SUCCEED();
}
