// The editor window over a host that stands for the main window, with helpers that drive
// modal dialogs the way a user does.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "controls/ToolHost.h"
#include "editor/AcquireWindow.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Messages.h"
#include "tests/editor/EditorTestUtil.h"
#include "view/PGImage.h"
#include "view/PicBox.h"

class TTestHost : public TToolHost {
 public:
  QString Folder;
  int Refreshes = 0;
  QString CurrentFile() const override { return {}; }
  QString CurrentFolder() const override { return Folder; }
  QStringList FileMask() const override { return {}; }
  QStringList SelectedFiles() const override { return {}; }
  void RefreshFolder() override { ++Refreshes; }
  void ShowFile(const QString&) override {}
  void ShowImageProperties(const QString&) override {}
};

// Runs `act` on the first modal window of type T once it is shown (polling the event loop).
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

struct EditorWindow : testing::Test {
  QTemporaryDir dir;
  TTestHost host;
  std::unique_ptr<TfrmAcquire> editor;
  QStringList messages;

  void SetUp() override {
    host.Folder = dir.path();
    SetMessageHook([this](const QString& t) { messages << t; });
    editor = std::make_unique<TfrmAcquire>(host);
  }
  void TearDown() override {
    TfrmAcquire::AskUnsavedHook = nullptr;
    editor.reset();
    SetMessageHook(nullptr);
  }
  // A fixture picture written as a file in the test folder.
  QString Fixture(const QString& name, std::unique_ptr<TPixelGraphic> picture) {
    const QString path = dir.filePath(name);
    SaveToFile(*picture, path.toStdString());
    return path;
  }
  TPixelGraphic& Doc() { return *editor->PGImage1()->PixelGraphic(); }
  QWidget* Box() { return editor->PGImage1()->PicBox(); }
};
