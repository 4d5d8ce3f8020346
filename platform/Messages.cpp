#include "platform/Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {
std::function<void(const QString&)>& Hook() {
  static std::function<void(const QString&)> hook;
  return hook;
}
}  // namespace

void ShowMessage(QWidget* parent, const QString& text) {
  if (Hook()) {
    Hook()(text);
    return;
  }
  QMessageBox::information(parent, QApplication::applicationName(), text);
}

void ShowError(QWidget* parent, const QString& text) {
  if (Hook()) {
    Hook()(text);
    return;
  }
  QMessageBox::critical(parent, QApplication::applicationName(), text);
}

void SetMessageHook(std::function<void(const QString& text)> hook) { Hook() = std::move(hook); }
