// The main window hands its current file to the converter: Tools menu, toolbar and pop-up.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "controls/FileList.h"
#include "convert/ConvertWindow.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "view/PGImage.h"

namespace {

struct ConverterHandOver : ::testing::Test {
  QTemporaryDir dir;
  QStringList messages;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;

  void SetUp() override {
    SetMessageHook([this](const QString& t) { messages << t; });
    WriteSetting("FileTypes", "1111111111");
    WriteSetting("Directory", dir.path());
    for (const char* n : {"a.bmp", "b.bmp"}) {
      TPixelGraphic g;
      g.SetSize(n[0] == 'a' ? 12 : 20, 8, pf24Bit);
      SaveToFile(g, dir.filePath(n).toStdString());
    }
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    window->resize(800, 500);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  }
  void TearDown() override {
    windows.reset();
    SetMessageHook(nullptr);
  }
  TfrmConvert& Converter() { return windows->Get<TfrmConvert>(); }
  void MakeCurrent(const QString& name) {
    TFileListModel& files = window->Files();
    const int at = files.Find(name);
    ASSERT_GE(at, 0);
    files.MakeCurrent(at);
  }
};

TEST_F(ConverterHandOver, WithoutACurrentFileTheUserIsToldToPickOne) {
  QAction* tools = window->findChild<QAction*>("VexConverter1");
  ASSERT_TRUE(tools);
  tools->trigger();
  EXPECT_EQ(messages, QStringList{"Click on an image filename first"});
  EXPECT_FALSE(Converter().isVisible());
}

TEST_F(ConverterHandOver, TheCurrentFileOpensInTheConverterAndAVisibleConverterLoadsAtOnce) {
  MakeCurrent("a.bmp");
  window->findChild<QAction*>("VexConverter1")->trigger();
  ASSERT_TRUE(Converter().isVisible());
  EXPECT_EQ(Converter().SourcePath(), dir.filePath("a.bmp"));
  ASSERT_FALSE(Converter().LeftPane()->IsEmpty());
  EXPECT_EQ(Converter().LeftPane()->PixelGraphicNoWait()->Width(), 12);
  EXPECT_TRUE(Converter().ConvertButton()->isEnabled());

  MakeCurrent("b.bmp");
  auto* popup = window->findChild<QMenu*>("PopupMenu1");
  ASSERT_TRUE(popup);
  QAction* convert = window->findChild<QAction*>("ConvertWithVexConverter1");
  ASSERT_TRUE(convert);
  EXPECT_TRUE(popup->actions().contains(convert));
  convert->trigger();
  EXPECT_EQ(Converter().LeftPane()->PixelGraphicNoWait()->Width(), 20);

  // The toolbar button follows the album button.
  auto* bar = window->findChild<QToolBar*>("ToolBar1");
  QStringList hints;
  for (QAction* a : bar->actions()) hints << a->toolTip();
  const int at = static_cast<int>(hints.indexOf("VexConverter"));
  ASSERT_GT(at, 0);
  EXPECT_EQ(hints.value(at - 1), "VexAlbums");
  EXPECT_TRUE(messages.isEmpty());
}

}  // namespace
