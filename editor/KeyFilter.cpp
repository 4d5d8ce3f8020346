#include "editor/KeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>

TKeyFilter::TKeyFilter(QLineEdit* edit, std::function<bool(char)> accepts)
    : QObject(edit), FAccepts(std::move(accepts)) {
  edit->installEventFilter(this);
}

bool TKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  char c = 0;
  switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete: c = '\b'; break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: c = '\t'; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: c = '\r'; break;
    default: {
      const QString text = key->text();
      if (text.isEmpty() || key->matches(QKeySequence::SelectAll) ||
          (key->modifiers() & Qt::ControlModifier))
        return false;  // navigation and shortcuts
      c = text.size() == 1 && text[0].unicode() < 128 ? static_cast<char>(text[0].unicode()) : '?';
    }
  }
  // Tab and Enter move the focus or press OK when the rule does not name them.
  if ((c == '\t' || c == '\r') && !FAccepts(c)) return false;
  return !FAccepts(c);
}
