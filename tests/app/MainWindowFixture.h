// The main window over a folder of small pictures, shown and active, for the tests that drive
// it: settings of its own, messages swallowed.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "platform/Settings.h"

namespace testing_app {

// A w x h picture of one colour, saved by extension.
inline void SavePicture(const QString& path, int w, int h, TRGB color) {
  TPixelGraphic g;
  g.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g.SetPixel(x, y, color);
  SaveToFile(g, path.toStdString());
}

struct MainWindowFixture : ::testing::Test {
  QTemporaryDir dir;
  std::unique_ptr<TWindows> windows;
  TForm1* window = nullptr;

  // The settings and files are made first; then the window opens on `dir`.
  void OpenWindow() {
    WriteSetting("FileTypes", "111111");
    WriteSetting("Directory", dir.path());
    windows = std::make_unique<TWindows>();
    window = &windows->Main();
    window->resize(900, 600);
    window->show();
  }
  void SetUp() override { SetMessageHook([](const QString&) {}); }
  void TearDown() override { SetMessageHook(nullptr); }
};

}  // namespace testing_app
