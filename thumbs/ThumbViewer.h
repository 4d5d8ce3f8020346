// TfrmThumbVex: a small stay-on-top window showing one picture fitted to it. Any number can be
// open; closing one destroys it.
#pragma once

#include <QSize>
#include <QWidget>

class TPGImage;

class TfrmThumbVex : public QWidget {
 public:
  explicit TfrmThumbVex(QWidget* owner);
  // Loads the picture, sizes the window to it and shows it; false (with a message) when the
  // picture cannot be loaded, and the window is then closed.
  bool Open(const QString& path, int margin = 4);
  TPGImage* View() const { return PGImage1; }

  // The client size for a picture: its own size when it fits the screen, otherwise the size
  // it shows at when fitted into the default area; plus the margin.
  static QSize ClientSizeFor(QSize picture, QSize screen, int margin);

 private:
  TPGImage* PGImage1;
};
