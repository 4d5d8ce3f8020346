#include "platform/Messages.h"
#include "platform/WarningBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {
std::function<void(const QString&)>& Hook() {
  static std::function<void(const QString&)> hook;
  return hook;
}
std::function<bool(const QString&)>& QuestionHook() {
  static std::function<bool(const QString&)> hook;
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

void ShowWarning(QWidget* parent, const QString& text) {
  if (Hook()) {
    Hook()(text);
    return;
  }
  QMessageBox::warning(parent, QApplication::applicationName(), text);
}

void ShowWarningTitled(QWidget* parent, const QString& title, const QString& text) {
  if (Hook()) {
    Hook()(text);
    return;
  }
  QMessageBox::warning(parent, title, text);
}

bool AskYesNo(QWidget* parent, const QString& text, bool confirmation) {
  if (QuestionHook()) return QuestionHook()(text);
  QMessageBox box(confirmation ? QMessageBox::Question : QMessageBox::Information,
                  QApplication::applicationName(), text, QMessageBox::Yes | QMessageBox::No,
                  parent);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void SetQuestionHook(std::function<bool(const QString& text)> hook) {
  QuestionHook() = std::move(hook);
}
