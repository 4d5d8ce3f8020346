// The editor window driven as a user drives it: open, select, crop, a filter with its preview,
// undo and save; zoom clicks; Escape during a long filter; unsaved changes; placement.
#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

#include "dialogs/FileDialogs.h"
#include "dialogs/FilterDialogForm.h"
#include "dialogs/OpenSaveDialog.h"
#include "platform/Settings.h"
#include "tests/editor/EditorWindowFixture.h"

namespace {

TEST_F(EditorWindow, OpenSelectCropFilterUndoAndSaveAsPNG) {
  const QString path = Fixture("start.bmp", PositionPicture(60, 40));
  editor->EditFile(path);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
  EXPECT_EQ(editor->windowTitle(), "Lumivex Image Editor - start.bmp");
  EXPECT_EQ(editor->StatusText(), "60 X 40");
  EXPECT_FALSE(editor->UndoAction()->isEnabled());
  EXPECT_TRUE(editor->ImageMenu()->isEnabled());

  // Select an area with the selection tool and crop to it.
  editor->Action("SelectButton")->trigger();
  QTest::mousePress(Box(), Qt::LeftButton, {}, QPoint(10, 5));
  QTest::mouseMove(Box(), QPoint(20, 12));
  QTest::mouseMove(Box(), QPoint(30, 20));
  QTest::mouseRelease(Box(), Qt::LeftButton, {}, QPoint(30, 20));
  ASSERT_TRUE(editor->PGImage1()->Selection());
  const TSelRect s = editor->PGImage1()->SelectionRect();
  editor->Action("Crop1")->trigger();
  ASSERT_EQ(Doc().Width(), s.Width);
  ASSERT_EQ(Doc().Height(), s.Height);
  EXPECT_EQ(Doc().Pixel(0, 0), PositionPicture(60, 40)->Pixel(s.Left, s.Top));
  EXPECT_FALSE(editor->PGImage1()->Selection());
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Crop");
  EXPECT_EQ(editor->windowTitle(), "Lumivex Image Editor - start.bmp*");
  EXPECT_EQ(editor->StatusText(), QString("%1 X %2").arg(s.Width).arg(s.Height));
  auto cropped = std::make_unique<TPixelGraphic>();
  cropped->Assign(&Doc());

  // The negative filter through its dialog, once the preview has been shown.
  int previews = 0;
  WhenModal<TFilterDialogForm>([&](TFilterDialogForm* form) {
    (void)QTest::qWaitFor([form] { return form->ResultsShown() > 0; }, 5000);
    previews = form->ResultsShown();
    QTest::mouseClick(form->OkButton(), Qt::LeftButton);
  });
  editor->Action("PointFilter7")->trigger();
  EXPECT_GT(previews, 0);
  EXPECT_EQ(Doc().Pixel(0, 0), cropped->Pixel(0, 0) ^ 0xFFFFFF);
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Negative");

  editor->UndoAction()->trigger();
  EXPECT_TRUE(SamePixels(Doc(), *cropped));
  EXPECT_EQ(editor->UndoAction()->text(), "Undo");
  EXPECT_FALSE(editor->UndoAction()->isEnabled());

  // Save as PNG through the save dialog.
  const QString png = dir.filePath("cropped.png");
  QString title;
  WhenModal<TPGSaveDialog>([&](TPGSaveDialog* d) {
    title = d->windowTitle();
    d->findChild<QLineEdit*>("fileNameEdit")->setText(png);
    static_cast<QDialog*>(d)->accept();
  });
  editor->Action("SaveAs1")->trigger();
  EXPECT_EQ(title, "Lumivex Save File");
  ASSERT_TRUE(QFileInfo::exists(png));
  TPixelGraphic back;
  LoadFromFile(back, png.toStdString());
  EXPECT_TRUE(SamePixels(back, *cropped));
  EXPECT_EQ(editor->windowTitle(), "Lumivex Image Editor - cropped.png");
  EXPECT_EQ(host.Refreshes, 1);  // the file appeared in the main window's folder
  EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
}

TEST_F(EditorWindow, CropWithoutSelectionOrOutsideKeepsThePictureAndUndo) {
  editor->EditFile(Fixture("a.bmp", PositionPicture(30, 20)));
  editor->Action("FlipVertical1")->trigger();
  editor->Action("Crop1")->trigger();
  EXPECT_EQ(messages, QStringList{"You need to select an area first"});
  editor->PGImage1()->SetSelectionRect(40, 0, 5, 5);
  editor->PGImage1()->SetSelection(true);
  editor->Action("Crop1")->trigger();
  EXPECT_EQ(Doc().Width(), 30);
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Flip Vertical");
  // A turn moves the picture under the selection, which goes with it.
  editor->PGImage1()->SetSelectionRect(2, 2, 5, 5);
  editor->PGImage1()->SetSelection(true);
  editor->Action("Rotate90CW")->trigger();
  EXPECT_FALSE(editor->PGImage1()->Selection());
}

TEST_F(EditorWindow, ZoomToolClicksStepBetweenAFifthAndThree) {
  editor->EditFile(Fixture("z.bmp", PositionPicture(40, 30)));
  editor->Action("ZoomButton")->trigger();
  EXPECT_EQ(editor->PGImage1()->Stretch(), sZoomKAR);
  EXPECT_EQ(editor->PGImage1()->ActionMode(), amNone);
  for (int i = 0; i < 12; ++i) QTest::mouseClick(Box(), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_DOUBLE_EQ(editor->PGImage1()->ZoomFactor(), 3.0);
  for (int i = 0; i < 16; ++i) QTest::mouseClick(Box(), Qt::RightButton, {}, QPoint(2, 2));
  EXPECT_DOUBLE_EQ(editor->PGImage1()->ZoomFactor(), 0.2);
  // Auto Size releases the zoom tool and presses the pointer.
  editor->Action("AutoSizeButton")->trigger();
  EXPECT_FALSE(editor->Action("ZoomButton")->isChecked());
  EXPECT_TRUE(editor->Action("PointerButton")->isChecked());
  EXPECT_EQ(editor->PGImage1()->Stretch(), sAlwaysKAR);
  EXPECT_EQ(editor->PGImage1()->ActionMode(), amMoveImage);
  editor->Action("AutoSizeButton")->trigger();
  EXPECT_EQ(editor->PGImage1()->Stretch(), sNeverKAR);
  // Tiling lasts until the picture changes.
  editor->Action("TileButton")->trigger();
  EXPECT_EQ(editor->PGImage1()->Tiling(), tRepeat);
  editor->Action("FlipVertical1")->trigger();
  EXPECT_EQ(editor->PGImage1()->Tiling(), tNone);
  EXPECT_FALSE(editor->Action("TileButton")->isChecked());
}

TEST_F(EditorWindow, EscapeStopsALongFilterAndKeepsThePicture) {
  auto big = std::make_unique<TPixelGraphic>();
  big->SetSize(2500, 2500, pf24Bit);
  big->Clear();
  for (int y = 0; y < 2500; y += 7)
    for (int x = 0; x < 2500; x += 5) big->SetPixel(x, y, 0xFFFFFF);
  editor->EditFile(Fixture("big.bmp", std::move(big)));
  editor->show();
  auto before = std::make_unique<TPixelGraphic>();
  before->Assign(&Doc());
  QStringList statuses;
  WhenModal<TFilterDialogForm>([&](TFilterDialogForm* form) {
    QTest::mouseClick(form->OkButton(), Qt::LeftButton);
    // Once the filter shows its progress, Escape stops it.
    std::function<void()> watch = [&, this] {
      if (editor->Busy() && editor->StatusText().endsWith('%')) {
        statuses << editor->StatusText();
        QTest::keyClick(editor.get(), Qt::Key_Escape);
      } else if (statuses.isEmpty()) {
        QTimer::singleShot(5, watch);
      }
    };
    QTimer::singleShot(5, watch);
  });
  editor->Action("Convolution0")->trigger();  // Sharpen
  ASSERT_FALSE(statuses.isEmpty()) << "the filter ended before it showed progress";
  EXPECT_FALSE(editor->Busy());
  EXPECT_TRUE(SamePixels(Doc(), *before));
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Sharpen");
  EXPECT_EQ(editor->StatusText(), "2500 X 2500");
}

TEST_F(EditorWindow, UnsavedChangesAskBeforeAnotherPictureOrClosing) {
  const QString first = Fixture("one.bmp", PositionPicture(30, 20));
  const QString second = Fixture("two.bmp", PositionPicture(10, 10));
  editor->EditFile(first);
  editor->Action("Rotate90CW")->trigger();
  EXPECT_TRUE(editor->Modified());
  QStringList asked;
  int answer = QMessageBox::Cancel;
  TfrmAcquire::AskUnsavedHook = [&](QWidget*, const QString& text) {
    asked << text;
    return answer;
  };
  editor->EditFile(second);
  EXPECT_EQ(asked.size(), 1);
  EXPECT_EQ(Doc().Width(), 20);  // still the turned picture
  EXPECT_FALSE(editor->close());
  EXPECT_EQ(asked.size(), 2);
  EXPECT_TRUE(editor->isVisible());
  answer = QMessageBox::Discard;
  editor->EditFile(second);
  EXPECT_EQ(Doc().Width(), 10);
  EXPECT_FALSE(editor->Modified());
  EXPECT_EQ(editor->windowTitle(), "Lumivex Image Editor - two.bmp");
  EXPECT_EQ(asked.size(), 3);
  EXPECT_TRUE(editor->close());  // nothing to ask
  EXPECT_EQ(asked.size(), 3);
}

TEST_F(EditorWindow, OpenKeepsTheUndoCopyAndAnUnreadableFileIsReported) {
  editor->EditFile(Fixture("p.bmp", PositionPicture(30, 20)));
  editor->Action("FlipHorizontal1")->trigger();
  TfrmAcquire::AskUnsavedHook = [](QWidget*, const QString&) { return int(QMessageBox::Discard); };
  editor->OpenFile(Fixture("q.bmp", PositionPicture(12, 12)));
  EXPECT_EQ(Doc().Width(), 12);
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Flip Horizontal");
  editor->UndoAction()->trigger();
  EXPECT_EQ(Doc().Width(), 30);

  QFile bad(dir.filePath("bad.png"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("\x89PNG\r\n\x1a\nnot really");
  bad.close();
  editor->OpenFile(bad.fileName());
  EXPECT_EQ(messages.size(), 1);
  EXPECT_TRUE(editor->PGImage1()->IsEmpty());
  EXPECT_FALSE(editor->ImageMenu()->isEnabled());
  EXPECT_FALSE(editor->FiltersMenu()->isEnabled());
  EXPECT_THROW(editor->EditFile(dir.filePath("missing.bmp")), std::exception);
}

TEST_F(EditorWindow, SavingOverAFileKeepsItWhenTheWriterFails) {
  editor->EditFile(Fixture("keep.bmp", PositionPicture(20, 10)));
  const QString target = dir.filePath("target.xyz");
  QFile existing(target);
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write("precious");
  existing.close();
  EXPECT_FALSE(editor->SaveTo(target));  // no writer for the extension
  EXPECT_EQ(messages.size(), 1);
  ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
  EXPECT_EQ(existing.readAll(), "precious");
}

TEST_F(EditorWindow, SavingInFewerColoursAsksFirst) {
  editor->EditFile(Fixture("colour.bmp", PositionPicture(20, 10)));
  QStringList questions;
  bool answer = false;
  SetQuestionHook([&](const QString& text) {
    questions << text;
    return answer;
  });
  const QString pbm = dir.filePath("mono.pbm");
  EXPECT_FALSE(editor->SaveTo(pbm));
  ASSERT_EQ(questions.size(), 1);
  EXPECT_TRUE(questions[0].contains("different color resolution"));
  EXPECT_FALSE(QFileInfo::exists(pbm));
  EXPECT_TRUE(messages.isEmpty());  // declining is not an error
  answer = true;
  EXPECT_TRUE(editor->SaveTo(pbm));
  EXPECT_TRUE(QFileInfo::exists(pbm));
  SetQuestionHook(nullptr);
}

TEST_F(EditorWindow, PrintShowsThePrintDialogOverTheEditor) {
  editor->EditFile(Fixture("print.bmp", PositionPicture(30, 20)));
  QWidget* owner = nullptr;
  WhenModal<QPrintDialog>([&](QPrintDialog* d) {
    owner = d->parentWidget();
    d->reject();
  });
  editor->Action("Print1")->trigger();
  EXPECT_EQ(owner, editor.get());
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_FALSE(editor->Modified());
}

TEST_F(EditorWindow, PlacementIsReadAtCreationAndWrittenAtTheEnd) {
  editor.reset();
  WriteSetting("AcquireLeft", "70");
  WriteSetting("AcquireTop", "80");
  WriteSetting("AcquireWidth", "500");
  WriteSetting("AcquireHeight", "300");
  editor = std::make_unique<TfrmAcquire>(host);
  EXPECT_EQ(editor->size(), QSize(500, 300));
  editor->resize(640, 420);
  editor.reset();
  EXPECT_EQ(ReadSetting("AcquireWidth", ""), "640");
  EXPECT_EQ(ReadSetting("AcquireHeight", ""), "420");
  // Values that are not numbers give the defaults; a place far off every screen comes back.
  WriteSetting("AcquireWidth", "wide");
  WriteSetting("AcquireLeft", "50000");
  editor = std::make_unique<TfrmAcquire>(host);
  EXPECT_EQ(editor->width(), 600);
  EXPECT_LT(editor->x(), 10000);
}

TEST_F(EditorWindow, CommandsOnEveryMenuChangeThePictureWithTheirCaption) {
  editor->EditFile(Fixture("m.bmp", PositionPicture(40, 30)));
  const std::vector<std::pair<const char*, const char*>> commands = {
      {"Rotate180", "Undo Rotate"},     {"Rotate90CCW", "Undo Rotate"},
      {"Bevel1", "Undo 3D Bevel"},      {"Emboss1", "Undo Emboss"},
      {"Fisheye1", "Undo Fisheye"},     {"Swirl1", "Undo Swirl"},
      {"Pencil1", "Undo Pencil Draw"},  {"Posterize1", "Undo Posterize"}};
  for (const auto& [name, caption] : commands) {
    QAction* a = editor->Action(name);
    ASSERT_TRUE(a) << name;
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
    EXPECT_EQ(editor->UndoAction()->text(), caption) << name;
  }
  EXPECT_EQ(Doc().PixelFormat(), pf4Bit);
  EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
}

}  // namespace

namespace {

TEST_F(EditorWindow, InPlaceCommandsStopTheDisplayCopyWorkerFirst) {
  // Left half black, right half white; the view resamples it in the background.
  auto halves = std::make_unique<TPixelGraphic>();
  halves->SetSize(1600, 1200, pf24Bit);
  for (int y = 0; y < 1200; ++y)
    for (int x = 0; x < 1600; ++x) halves->SetPixel(x, y, x < 800 ? 0 : 0xFFFFFF);
  editor->EditFile(Fixture("halves.bmp", std::move(halves)));
  editor->resize(500, 400);
  editor->PGImage1()->SetStretchMode(smPrecise);
  editor->Action("AutoSizeButton")->trigger();
  for (int i = 0; i < 3; ++i) {
    editor->Action("FlipHorizontal1")->trigger();  // while the copy may be in the making
    QApplication::processEvents();
  }
  editor->PGImage1()->WaitForPaintCopy();
  QApplication::processEvents();
  editor->PGImage1()->WaitForPaintCopy();
  EXPECT_EQ(Doc().Pixel(0, 0), 0xFFFFFFu);
  const TPixelGraphic* shown = editor->PGImage1()->PaintPixelGraphic();
  ASSERT_TRUE(shown);
  EXPECT_LT(shown->Width(), 1600);
  EXPECT_EQ(shown->PixelColor(2, 2), 0xFFFFFFu);  // the copy shows the flipped picture
  EXPECT_EQ(shown->PixelColor(shown->Width() - 3, 2), 0u);
}

}  // namespace
