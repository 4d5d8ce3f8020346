#include "app/AboutBox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const char* const kProduct = "Lumivex 7.0";
}

TfAbout::TfAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("TfAbout");
  setWindowTitle(kProduct);
  setFixedSize(360, 300);
  auto* title = new QLabel(kProduct, this);
  title->setGeometry(20, 10, 320, 24);
  QFont big = title->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  title->setFont(big);
  auto* sub = new QLabel(kProduct, this);
  sub->setGeometry(20, 36, 320, 18);
  auto* window = new QWidget(this);
  window->setGeometry(20, 60, 240, 180);
  FScroller = new QLabel(window);
  FScroller->setText(QStringLiteral("Lumivex\n\nby Corvane Software\n\n<<< %1 >>>\n\n"
                                    "Browse, show, fix, print\nand convert your pictures.")
                         .arg(kProduct));
  FScroller->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  FScroller->setGeometry(0, 100, 240, 200);
  FFrame = new QLabel(this);
  FFrame->setGeometry(280, 70, 60, 60);
  FFrame->setAlignment(Qt::AlignCenter);
  FVersion = new QLabel(QStringLiteral("Version ") + QStringLiteral(LUMIVEX_VERSION), this);
  FVersion->setGeometry(20, 250, 200, 18);
  FVersion->hide();
  auto* ok = new QPushButton("OK", this);
  ok->setGeometry(270, 255, 70, 28);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  FTimer = new QTimer(this);
  FTimer->setInterval(60);
  connect(FTimer, &QTimer::timeout, this, [this] { Step(); });
}

void TfAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The box is made once and shown on demand: each showing starts the text over.
  FScroller->move(FScroller->x(), 100);
  FCtrl = FQ = false;
  FVersion->hide();
  FTimer->start();
  Step();
}

void TfAbout::hideEvent(QHideEvent* event) {
  FTimer->stop();
  QDialog::hideEvent(event);
}

void TfAbout::Step() {
  int y = FScroller->y() - 2;
  if (y < -580) y = 100;
  FScroller->move(FScroller->x(), y);
  FFrameIndex ^= 1;
  FFrame->setText(FFrameIndex ? QStringLiteral("\u263C") : QStringLiteral("\u2600"));
}

void TfAbout::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Control) FCtrl = true;
  if (event->key() == Qt::Key_Q) FQ = true;
  FVersion->setVisible(FCtrl && FQ);
  QDialog::keyPressEvent(event);
}

void TfAbout::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Control) FCtrl = false;
  if (event->key() == Qt::Key_Q) FQ = false;
  FVersion->setVisible(FCtrl && FQ);
  QDialog::keyReleaseEvent(event);
}
