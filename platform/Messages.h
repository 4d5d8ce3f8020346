// The browser's message boxes, replaceable so that tests can read what a user would see.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Information message with an OK button.
void ShowMessage(QWidget* parent, const QString& text);
// The application's error box, showing an error's own text.
void ShowError(QWidget* parent, const QString& text);

// Replaces both boxes (nullptr restores them); the hook receives the text.
void SetMessageHook(std::function<void(const QString& text)> hook);
