// The browser's message boxes, replaceable so that tests can read what a user would see.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Information message with an OK button.
void ShowMessage(QWidget* parent, const QString& text);
// The application's error box, showing an error's own text.
void ShowError(QWidget* parent, const QString& text);

// Warning message with an OK button.
void ShowWarning(QWidget* parent, const QString& text);
// A Yes/No question with an information icon (or a question icon with `confirmation`);
// true for Yes.
bool AskYesNo(QWidget* parent, const QString& text, bool confirmation = false);

// Replaces the question box (nullptr restores it); the hook receives the text and answers.
void SetQuestionHook(std::function<bool(const QString& text)> hook);

// Replaces the message boxes (nullptr restores them); the hook receives the text.
void SetMessageHook(std::function<void(const QString& text)> hook);
