// One page of the preview: the recorded page drawn to the view's size on white paper, with an
// optional inch grid. Mouse presses go to the preview window.
#pragma once

#include <QWidget>
#include <functional>

class TPagePicture;

class TPageView : public QWidget {
 public:
  explicit TPageView(QWidget* parent = nullptr);

  // The page shown (nullptr: the view stays empty).
  void SetPage(const TPagePicture* page);
  const TPagePicture* Page() const { return FPage; }
  void SetGrid(bool on);
  bool Grid() const { return FGrid; }

  std::function<void(QMouseEvent*)> OnMousePress;
  std::function<void(QMouseEvent*)> OnMouseMove;
  std::function<void(QMouseEvent*)> OnMouseRelease;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const TPagePicture* FPage = nullptr;
  bool FGrid = false;
};
