#include "app/Splash.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

TSplash::TSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(596, 147);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());
  QTimer::singleShot(4000, this, &QWidget::close);
}

void TSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QLinearGradient g(0, 0, width(), height());
  g.setColorAt(0, QColor(20, 40, 90));
  g.setColorAt(1, QColor(160, 90, 30));
  p.fillRect(rect(), g);
  p.setPen(Qt::white);
  QFont f = font();
  f.setPointSize(28);
  f.setBold(true);
  p.setFont(f);
  p.drawText(rect().adjusted(24, 0, 0, -30), Qt::AlignLeft | Qt::AlignVCenter, "Lumivex 7.0");
  f.setPointSize(11);
  f.setBold(false);
  p.setFont(f);
  p.drawText(rect().adjusted(26, 60, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, "by Corvane Software");
}
