// The edit dialogs and the save options dialog, typed into as a user types.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "editor/EditDialogs.h"
#include "editor/SaveOptionsDialog.h"
#include "imaging/formats/FormatSettings.h"
#include "platform/Settings.h"
#include "tests/editor/EditorWindowFixture.h"

namespace {

void Retype(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

TEST_F(EditorWindow, RotateDialogTakesDigitsOnlyAndGivesTheClockwiseAngle) {
  TfRotate& d = editor->RotateDialog();
  d.show();
  Retype(d.eAngle, "3a0");
  EXPECT_EQ(d.eAngle->text(), "30");
  QTest::keyClick(d.eAngle, Qt::Key_Backspace);  // refused, like every non-digit
  EXPECT_EQ(d.eAngle->text(), "30");
  d.rbCounterClockwise->setChecked(true);
  EXPECT_EQ(d.ClockwiseDegrees(), 330);
  d.eAngle->selectAll();
  d.eAngle->del();
  EXPECT_FALSE(d.OkButton->isEnabled());  // an empty angle cannot be confirmed

  // The editor turns by 330 degrees and enlarges the picture to hold it.
  editor->EditFile(Fixture("r.bmp", PositionPicture(40, 20)));
  Retype(d.eAngle, "30");
  d.hide();
  WhenModal<TfRotate>([](TfRotate* r) { QTest::mouseClick(r->OkButton, Qt::LeftButton); });
  editor->Action("RotateArbitrary")->trigger();
  EXPECT_GT(Doc().Width(), 40);
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Rotate");
}

TEST_F(EditorWindow, BorderDialogWidthAndColour) {
  TfrmBorder& d = editor->BorderDialog();
  EXPECT_EQ(d.eWidth->text(), "20");
  EXPECT_TRUE(d.rbRectangle->isChecked());
  EXPECT_EQ(d.Color(), QColor(Qt::white));
  d.show();
  Retype(d.eWidth, "x4");
  EXPECT_EQ(d.BorderWidthPixels(), 4);
  d.SetColor(QColor(0, 0, 255));
  editor->EditFile(Fixture("b.bmp", PositionPicture(40, 20)));
  d.hide();
  WhenModal<TfrmBorder>([](TfrmBorder* b) { QTest::mouseClick(b->OkButton, Qt::LeftButton); });
  editor->Action("Border1")->trigger();
  EXPECT_EQ(Doc().PixelColor(0, 10), RGBColor(0, 0, 255));
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Border");
  // The dialog keeps its values for the next use.
  EXPECT_EQ(d.eWidth->text(), "4");
}

TEST_F(EditorWindow, ColourResolutionDialogInterplay) {
  TfrmColorRez& d = editor->ColorRezDialog();
  d.show();
  EXPECT_TRUE(d.DepthButton(TColorDepth::Bits24)->isChecked());
  EXPECT_TRUE(d.PaletteButton(TColorRezPalette::System16)->isChecked());
  EXPECT_TRUE(d.PaletteButton(TColorRezPalette::BlackWhite)->isChecked());
  EXPECT_EQ(d.PaletteButton(TColorRezPalette::BlackWhite)->text(), "Black&&White");
  Retype(d.eCount4, "1");
  EXPECT_FALSE(d.OkButton->isEnabled());
  EXPECT_TRUE(d.DepthButton(TColorDepth::Bits4)->isChecked());
  EXPECT_TRUE(d.PaletteButton(TColorRezPalette::Optimized4)->isChecked());
  EXPECT_FALSE(d.PaletteButton(TColorRezPalette::System16)->isChecked());
  Retype(d.eCount4, "8");
  EXPECT_TRUE(d.OkButton->isEnabled());
  Retype(d.eCount8, "300");
  EXPECT_FALSE(d.OkButton->isEnabled());
  EXPECT_TRUE(d.DepthButton(TColorDepth::Bits8)->isChecked());
  Retype(d.eCount8, "200");
  EXPECT_TRUE(d.OkButton->isEnabled());
  QTest::mouseClick(d.PaletteButton(TColorRezPalette::Gray16), Qt::LeftButton);
  EXPECT_TRUE(d.DepthButton(TColorDepth::Bits4)->isChecked());
  EXPECT_TRUE(d.PaletteButton(TColorRezPalette::Gray16)->isChecked());
  EXPECT_TRUE(d.PaletteButton(TColorRezPalette::Optimized8)->isChecked());  // 8-bit keeps its own
  QTest::mouseClick(d.cbSystemColors, Qt::LeftButton);
  EXPECT_TRUE(d.DepthButton(TColorDepth::Bits8)->isChecked());

  editor->EditFile(Fixture("c.bmp", PositionPicture(40, 20)));
  d.hide();
  QTest::mouseClick(d.PaletteButton(TColorRezPalette::Gray16), Qt::LeftButton);
  WhenModal<TfrmColorRez>([](TfrmColorRez* c) { QTest::mouseClick(c->OkButton, Qt::LeftButton); });
  editor->Action("ColorResolution1")->trigger();
  EXPECT_EQ(Doc().PixelFormat(), pf4Bit);
  EXPECT_EQ(Doc().PaletteIdent(), pGray16);
}

TEST_F(EditorWindow, ResizeDialogKeepsProportionsAlsoWhenEnterPressesOK) {
  TfrmResize& d = editor->ResizeDialog();
  d.SetPictureSize(640, 480);
  EXPECT_EQ(d.lOldWidth->text(), "640");
  EXPECT_EQ(d.eNewHeight->text(), "480");
  bool accepted = false;
  WhenModal<TfrmResize>([&](TfrmResize* r) {
    Retype(r->eNewWidth, "100");
    QTest::keyClick(r->eNewWidth, Qt::Key_Return);
    accepted = r->result() == QDialog::Accepted;
  });
  d.exec();
  EXPECT_TRUE(accepted);
  EXPECT_EQ(d.Values().HeightText(), "75");

  d.show();
  d.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  d.SetPictureSize(4, 1);
  Retype(d.eNewWidth, "2");
  d.eNewHeight->setFocus();  // leaving the width edit
  EXPECT_EQ(d.eNewHeight->text(), "0");
  EXPECT_FALSE(d.OkButton->isEnabled());
  Retype(d.eNewHeight, "");
  EXPECT_FALSE(d.OkButton->isEnabled());
  d.cbConstrain->setChecked(false);
  Retype(d.eNewHeight, "3");
  d.eNewWidth->setFocus();
  EXPECT_EQ(d.eNewWidth->text(), "2");
  EXPECT_TRUE(d.OkButton->isEnabled());
  d.hide();

  editor->EditFile(Fixture("s.bmp", PositionPicture(40, 20)));
  d.cbConstrain->setChecked(true);
  WhenModal<TfrmResize>([](TfrmResize* r) {
    Retype(r->eNewHeight, "10");
    QTest::keyClick(r->eNewHeight, Qt::Key_Enter);
  });
  editor->Action("Resize1")->trigger();
  EXPECT_EQ(Doc().Width(), 20);
  EXPECT_EQ(Doc().Height(), 10);
}

TEST_F(EditorWindow, SaveOptionsRefuseBadValuesAndKeepGoodOnesBetweenRuns) {
  ResetFormatSettings();
  TfrmFileSaveOptions& d = editor->SaveOptionsDialog();
  WhenModal<TfrmFileSaveOptions>([&](TfrmFileSaveOptions* o) {
    EXPECT_EQ(o->eScreenGamma->text(), "1.8");
    EXPECT_EQ(o->eQuality->text(), "80");
    EXPECT_TRUE(o->rbJPEGWrite[2]->isChecked());  // floating point is the default
    o->rbJPEGWrite[0]->setChecked(true);
    Retype(o->eScreenGamma, "0");
    static_cast<QDialog*>(o)->accept();
    EXPECT_TRUE(o->isVisible());  // refused: the dialog stays
    Retype(o->eScreenGamma, "2.2");
    Retype(o->eXDen, "0");
    static_cast<QDialog*>(o)->accept();
    EXPECT_TRUE(o->isVisible());
    Retype(o->eXDen, "2");
    o->cbProgressive->setChecked(true);
    static_cast<QDialog*>(o)->accept();
  });
  EXPECT_TRUE(d.Execute());
  EXPECT_EQ(messages, (QStringList{"The screen gamma must be above 0.",
                                   "The horizontal resolution's denominator must not be 0."}));
  EXPECT_EQ(FormatSettingValue("JPEGWriteDCTMethod"), "1");
  EXPECT_EQ(FormatSettingValue("JPEGWriteProgressive"), "true");
  EXPECT_EQ(FormatSettingValue("TIFFXResolution"), "300/2");
  EXPECT_EQ(ReadSetting("SaveOptions/JPEGWriteProgressive", ""), "true");

  // The next run starts with them.
  ResetFormatSettings();
  TfrmFileSaveOptions::LoadStored();
  EXPECT_EQ(FormatSettingValue("JPEGWriteDCTMethod"), "1");
  EXPECT_EQ(FormatSettingValue("TIFFXResolution"), "300/2");
  EXPECT_EQ(ReadSaveOptions().ScreenGamma, "2.2");

  // Cancel changes nothing.
  WhenModal<TfrmFileSaveOptions>([](TfrmFileSaveOptions* o) {
    Retype(o->eQuality, "10");
    o->reject();
  });
  EXPECT_FALSE(d.Execute());
  EXPECT_EQ(FormatSettingValue("JPEGWriteQuality"), "80");
  ResetFormatSettings();
  TfrmFileSaveOptions::Store();
}

}  // namespace
