// TToolHost: what a tool window (editor, converter, thumbnails, albums, move tool, print...)
// may ask of the main window. Tool windows receive it from the window registry and never
// include the main window; they exchange paths, folders and masks, never images.
#pragma once

#include <QString>
#include <QStringList>

class TToolHost {
 public:
  virtual ~TToolHost() = default;

  // The file the main window shows ("" when none) and its current folder.
  virtual QString CurrentFile() const = 0;
  virtual QString CurrentFolder() const = 0;
  // The enabled picture types as name filters ("*.bmp", "*.jpg", ...).
  virtual QStringList FileMask() const = 0;
  // The files selected in the main window's list, in list order.
  virtual QStringList SelectedFiles() const = 0;
  // Reads the current folder again (after files were added, moved or deleted).
  virtual void RefreshFolder() = 0;
  // Selects the file in the main window's list and shows it (its folder becomes current).
  virtual void ShowFile(const QString& path) = 0;
  // Shows the image properties window for a file (of any folder).
  virtual void ShowImageProperties(const QString& /*path*/) {}
  // Opens a page of the user guide ("move-tool.html") in the browser.
  virtual void ShowHelpPage(const QString& /*page*/) {}
};
