// TFullScreenView: the shown picture on a black screen, fitted, without the window around it.
// Keys and the wheel step through the folder, Escape (or a double-click) returns, and the
// cursor hides after two seconds without movement. The picture comes from the main window,
// which renders it at the size asked for; the view only paints and forwards commands.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

enum class TFullScreenStep { Next, Previous, First, Last };

// The step a key asks for; none for keys the view does not step with.
std::optional<TFullScreenStep> FullScreenStepForKey(int key);

// The largest size with the picture's aspect that fits the screen (small pictures grow).
QSize FullScreenFitSize(QSize picture, QSize screen);

struct TFullScreenHost {
  // The shown picture scaled to the given size; a null image when nothing is shown.
  std::function<QImage(QSize)> Render;
  // The picture's natural size (invalid when nothing is shown).
  std::function<QSize()> PictureSize;
  std::function<void(TFullScreenStep)> Step;
  std::function<void()> ToggleSlideshow;
  std::function<void()> Closed;
};

class TFullScreenView : public QWidget {
 public:
  explicit TFullScreenView(TFullScreenHost host);

  // Covers the screen the window `over` is on and shows the current picture.
  void Open(QWidget* over);
  // The shown picture changed: renders it again.
  void Refresh();
  bool CursorHidden() const { return FCursorHidden; }
  const QImage& Shown() const { return FShown; }
  static constexpr int kCursorHideMs = 2000;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void WakeCursor();

  TFullScreenHost FHost;
  QImage FShown;
  QTimer FCursorTimer;
  bool FCursorHidden = false;
  int FWheelRest = 0;  // wheel movement not yet turned into a step
};
