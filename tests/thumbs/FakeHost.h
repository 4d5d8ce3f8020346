// A main window as the tool windows see it, recording what they ask of it.
#pragma once

#include <QStringList>

#include "controls/ToolHost.h"

class TFakeHost : public TToolHost {
 public:
  QString CurrentFile() const override { return {}; }
  QString CurrentFolder() const override { return Folder; }
  QStringList FileMask() const override { return {"*.bmp"}; }
  QStringList SelectedFiles() const override { return {}; }
  void RefreshFolder() override {}
  void ShowFile(const QString& path) override { Shown << path; }
  void ShowImageProperties(const QString& path) override { Properties << path; }

  QString Folder;
  QStringList Shown;
  QStringList Properties;
};
