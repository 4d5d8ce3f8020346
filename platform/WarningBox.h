// A warning box under a title of its own (the scanner errors), replaceable like the other
// message boxes (SetMessageHook).
#pragma once

#include <QString>

class QWidget;

void ShowWarningTitled(QWidget* parent, const QString& title, const QString& text);
