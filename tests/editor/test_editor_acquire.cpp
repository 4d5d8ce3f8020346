// The editor's scanner and screen commands against the scanner library's test backend: the
// commands enabled by the library, the source list, the device's options, a colour scan, a
// cancelled and a failing scan (picture and undo kept), and the screen capture.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "editor/ScanDialogs.h"
#include "platform/SaneSession.h"
#include "platform/Settings.h"
#include "tests/editor/EditorWindowFixture.h"
#include "tests/platform/SaneTestBackend.h"

namespace {


struct EditorAcquire : EditorWindow {
  QTemporaryDir temp;
  QByteArray oldTemp;
  void SetUp() override {
    sanetest::UseTestBackend();
    oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.path().toUtf8());
    WriteSetting(kScanSourceSetting, "");
    EditorWindow::SetUp();
    editor->SetAcquireEnabled(SourceManagerPresent());
    TfrmAcquire::AskUnsavedHook = [](QWidget*, const QString&) { return int(QMessageBox::Discard); };
  }
  void TearDown() override {
    EditorWindow::TearDown();
    qputenv("TMPDIR", oldTemp);
  }
  // A picture with an undo copy ("Undo Flip Horizontal").
  void StartWithPicture() {
    editor->EditFile(Fixture("start.bmp", PositionPicture(40, 30)));
    editor->FlipHorizontalCommand();
    ASSERT_EQ(editor->UndoAction()->text(), "Undo Flip Horizontal");
  }
  QStringList TemporaryFiles() { return QDir(temp.path()).entryList(QDir::Files); }
};

// Runs `act` on the options dialog, then presses its Scan button.
void WhenOptionsScan(std::function<void(TfrmScanOptions*)> act) {
  WhenModal<TfrmScanOptions>([act](TfrmScanOptions* d) {
    act(d);
    QTest::mouseClick(d->ScanButton(), Qt::LeftButton);
  });
}

TEST_F(EditorAcquire, TheCommandsAreEnabledWhenTheLibraryIsPresent) {
  EXPECT_TRUE(SourceManagerPresent());
  EXPECT_TRUE(editor->Action("Select1")->isEnabled());
  EXPECT_TRUE(editor->Action("Acquire1")->isEnabled());
  EXPECT_EQ(editor->Action("Select1")->text(), "Select...");
  EXPECT_EQ(editor->Action("Acquire1")->text(), "Acquire...");
  TfrmAcquire fresh(host);  // before the start-up check they are off
  EXPECT_FALSE(fresh.Action("Select1")->isEnabled());
  EXPECT_FALSE(fresh.Action("Acquire1")->isEnabled());
}

TEST_F(EditorAcquire, SelectListsTheDevicesAndKeepsTheChoice) {
  int listed = 0;
  WhenModal<TfrmSelectSource>([&](TfrmSelectSource* d) {
    listed = d->List()->count();
    d->List()->setCurrentRow(1);
    QTest::mouseClick(d->findChild<QPushButton*>("SelectButton"), Qt::LeftButton);
  });
  editor->Action("Select1")->trigger();
  EXPECT_EQ(listed, 2);
  EXPECT_EQ(ReadSetting(kScanSourceSetting, ""), "test:1");
  // Cancel keeps the choice.
  WhenModal<TfrmSelectSource>([](TfrmSelectSource* d) {
    d->List()->setCurrentRow(0);
    d->reject();
  });
  editor->SelectCommand();
  EXPECT_EQ(ReadSetting(kScanSourceSetting, ""), "test:1");
}

TEST_F(EditorAcquire, TheOptionsShowModeResolutionAndAreaAndFollowTheDevice) {
  QStringList tabs;
  bool threePassBefore = true, threePassAfter = false;
  WhenModal<TfrmScanOptions>([&](TfrmScanOptions* d) {
    auto* pages = d->findChild<QTabWidget*>();
    for (int i = 0; i < pages->count(); ++i) tabs << pages->tabText(i);
    for (const char* name : {"mode", "resolution", "tl-x", "tl-y", "br-x", "br-y"})
      EXPECT_NE(d->findChild<QWidget*>(name), nullptr) << name;
    auto* resolution = d->findChild<QAbstractSpinBox*>("resolution");
    EXPECT_TRUE(resolution && resolution->text().endsWith(" dpi"));
    threePassBefore = d->findChild<QCheckBox*>("three-pass") != nullptr;
    // Colour mode, chosen as a user does: the page is rebuilt with the colour-only options.
    auto* mode = d->findChild<QComboBox*>("mode");
    mode->setCurrentText("Color");
    emit mode->textActivated("Color");
    QTest::qWait(20);
    threePassAfter = d->findChild<QCheckBox*>("three-pass") != nullptr;
    EXPECT_EQ(d->findChild<QComboBox*>("mode")->currentText(), "Color");
    d->reject();
  });
  editor->AcquireCommand();
  EXPECT_TRUE(tabs.contains("Scan Mode"));
  EXPECT_TRUE(tabs.contains("Geometry"));
  EXPECT_FALSE(threePassBefore);
  EXPECT_TRUE(threePassAfter);
  EXPECT_TRUE(editor->PGImage1()->IsEmpty());  // cancelled: nothing, no message
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
}

TEST_F(EditorAcquire, AColourScanBecomesThePictureAndTheUndoCopyStays) {
  StartWithPicture();
  WhenOptionsScan([](TfrmScanOptions* d) {
    d->Device().Set("mode", "Color");
    d->Device().Set("three-pass", "yes");
    d->Device().Set("test-picture", "Color pattern");
    d->Device().Set("br-x", "30");
    d->Device().Set("br-y", "20");
  });
  editor->Action("Acquire1")->trigger();
  ASSERT_FALSE(editor->PGImage1()->IsEmpty());
  EXPECT_EQ(Doc().PixelFormat(), pf24Bit);
  EXPECT_NEAR(Doc().Width(), 59, 1);  // 30 mm at 50 dpi
  EXPECT_NEAR(Doc().Height(), 39, 1);
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Flip Horizontal");
  EXPECT_TRUE(editor->PGImage1()->FileName().isEmpty());
  EXPECT_TRUE(editor->Modified());
  EXPECT_TRUE(TemporaryFiles().isEmpty()) << TemporaryFiles().join(",").toStdString();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
}

TEST_F(EditorAcquire, CancelDuringAScanKeepsThePictureAndTheUndoState) {
  StartWithPicture();
  const auto before = editor->PGImage1()->CopyPixelGraphic();
  std::uint64_t seen = 0;
  WhenOptionsScan([&](TfrmScanOptions* d) {
    // A long scan in small pieces.
    const std::pair<const char*, const char*> slow[] = {
        {"resolution", "300"}, {"read-limit", "yes"}, {"read-limit-size", "64"},
        {"read-delay", "yes"}, {"read-delay-duration", "20000"}};
    for (const auto& [name, value] : slow) d->Device().Set(name, value);
  });
  // Cancel once the first bytes are shown, as a user presses Cancel.
  TfrmScanProgress::ProgressHook = [&seen](TfrmScanProgress& p) {
    if (seen) return;
    seen = p.Received();
    QTest::mouseClick(p.CancelButton(), Qt::LeftButton);
  };
  editor->AcquireCommand();
  TfrmScanProgress::ProgressHook = nullptr;
  EXPECT_GT(seen, 0u);
  EXPECT_TRUE(SamePixels(Doc(), *before));
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Flip Horizontal");
  EXPECT_TRUE(editor->UndoAction()->isEnabled());
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_TRUE(TemporaryFiles().isEmpty());
}

TEST_F(EditorAcquire, AFailingScanSaysWhyWithTheLibrarysTextAndKeepsThePicture) {
  StartWithPicture();
  const auto before = editor->PGImage1()->CopyPixelGraphic();
  WhenOptionsScan([](TfrmScanOptions* d) { d->Device().Set("read-return-value", "SANE_STATUS_JAMMED"); });
  editor->AcquireCommand();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("The scan failed.\n")) << messages[0].toStdString();
  EXPECT_TRUE(messages[0].endsWith(QString::fromStdString(SaneStatusText(6))));
  EXPECT_TRUE(SamePixels(Doc(), *before));
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Flip Horizontal");
}

TEST_F(EditorAcquire, AMissingDefaultSourceFallsBackToTheFirstDevice) {
  WriteSetting(kScanSourceSetting, "test:7");
  QString title;
  WhenModal<TfrmScanOptions>([&](TfrmScanOptions* d) {
    title = QString::fromStdString(d->Device().Name());
    d->reject();
  });
  editor->AcquireCommand();
  EXPECT_EQ(title, "test:0");
}

// Run under an X server of 1024 x 768 at 24 bits (see CMakeLists.txt); skipped elsewhere.
TEST_F(EditorWindow, ScreenCaptureTakesTheWholeScreenIn24Bits) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server";
  editor->EditFile(Fixture("start.bmp", PositionPicture(40, 30)));
  editor->FlipVerticalCommand();
  TfrmAcquire::AskUnsavedHook = [](QWidget*, const QString&) { return int(QMessageBox::Discard); };
  bool done = false;
  QTimer::singleShot(50, [&] {
    editor->Action("ScreenCaptureButton")->trigger();
    done = true;
  });
  QTRY_VERIFY_WITH_TIMEOUT(done, 5000);
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  ASSERT_FALSE(editor->PGImage1()->IsEmpty());
  EXPECT_EQ(Doc().Width(), 1024);
  EXPECT_EQ(Doc().Height(), 768);
  EXPECT_EQ(Doc().PixelFormat(), pf24Bit);
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Flip Vertical");
}

}  // namespace
