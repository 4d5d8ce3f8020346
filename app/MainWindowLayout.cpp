// The main window: the size on the very first start (no stored placement yet) and the width
// of the left pane, kept between runs.
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QStyle>

#include "app/MainWindow.h"
#include "platform/Settings.h"

namespace {
const char* const kLeftPaneWidth = "Left Pane Width";
constexpr int kMinLeftPane = 60;
}  // namespace

QSplitter* TForm1::Splitter() const { return qobject_cast<QSplitter*>(centralWidget()); }

void TForm1::RestoreLayoutExtras() {
  if (ReadSetting("Width", QString()).isEmpty()) {
    // First start: three quarters of the screen, centred, never below the usual 600 x 400.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
      const QRect free = screen->availableGeometry();
      const QSize size(std::min(free.width(), std::max(600, free.width() * 3 / 4)),
                       std::min(free.height(), std::max(400, free.height() * 3 / 4)));
      setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, free));
    }
  }
  const int pane = ReadIntSetting(kLeftPaneWidth, -1);
  if (pane >= kMinLeftPane && Splitter()) Splitter()->setSizes({pane, 10000});
}

void TForm1::SaveLayoutExtras() {
  if (!Splitter()) return;
  const QList<int> sizes = Splitter()->sizes();
  if (!sizes.isEmpty() && sizes[0] >= kMinLeftPane)
    WriteSetting(kLeftPaneWidth, QString::number(sizes[0]));
}

int TForm1::LeftPaneWidth() const {
  return Splitter() && !Splitter()->sizes().isEmpty() ? Splitter()->sizes()[0] : 0;
}
