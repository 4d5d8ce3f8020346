// The main window as the tool windows see it (controls/ToolHost.h).
#pragma once

#include "controls/ToolHost.h"

class TForm1;

class TMainWindowHost final : public TToolHost {
 public:
  explicit TMainWindowHost(TForm1& main) : FMain(main) {}
  QString CurrentFile() const override;
  QString CurrentFolder() const override;
  QStringList FileMask() const override;
  QStringList SelectedFiles() const override;
  void RefreshFolder() override;
  // The file's folder becomes current; the file becomes the one selected, current entry and
  // is displayed. A file the list does not hold (hidden by the mask, gone) is ignored, and an
  // empty path does nothing at all.
  void ShowFile(const QString& path) override;
  void ShowImageProperties(const QString& path) override;
  void ShowHelpPage(const QString& page) override;

 private:
  TForm1& FMain;
};
