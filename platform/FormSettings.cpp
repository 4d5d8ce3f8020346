#include "platform/FormSettings.h"

#include <QApplication>
#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTextEdit>

namespace {

const char* const kApplicationTitle = "Lumivex";

QString Flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace

int StoredInt(const QString& text, int fallback) {
  bool ok = false;
  const QString t = text.trimmed();
  const int v = t.startsWith("0x", Qt::CaseInsensitive) ? t.mid(2).toInt(&ok, 16) : t.toInt(&ok, 10);
  return ok ? v : fallback;
}

QRect OnVisibleScreen(const QRect& rect, const QList<QRect>& screens) {
  if (screens.isEmpty()) return rect;
  const int minimum = 40;  // enough of the window to grab and move
  for (const QRect& s : screens) {
    const QRect seen = s.intersected(rect);
    if (seen.width() >= std::min(minimum, rect.width()) &&
        seen.height() >= std::min(minimum, rect.height()) && rect.top() >= s.top())
      return rect;
  }
  const QRect& first = screens.front();
  QRect placed(first.topLeft(), rect.size().boundedTo(first.size()));
  const QPoint wanted(std::clamp(rect.left(), first.left(), first.right() - placed.width() + 1),
                      std::clamp(rect.top(), first.top(), first.bottom() - placed.height() + 1));
  placed.moveTopLeft(wanted);
  return placed;
}

QRect OnVisibleScreen(const QRect& rect) {
  QList<QRect> areas;
  for (const QScreen* s : QGuiApplication::screens()) areas << s->availableGeometry();
  return OnVisibleScreen(rect, areas);
}

QString TFormSettings::Key() const {
  if (!KeyName.isEmpty()) return KeyName;
  return QString("Software\\%1\\%2").arg(kApplicationTitle, FOwner ? FOwner->objectName() : QString());
}

std::unique_ptr<QSettings> TFormSettings::Open() const {
  QStringList parts = Key().split('\\', Qt::SkipEmptyParts);
  if (!parts.isEmpty() && parts.front().compare("Software", Qt::CaseInsensitive) == 0)
    parts.removeFirst();
  while (parts.size() < 2) parts << kApplicationTitle;
  auto store = std::make_unique<QSettings>(parts[0], parts[1]);
  for (int i = 2; i < parts.size(); ++i) store->beginGroup(parts[i]);
  return store;
}

QWidget* TFormSettings::Root() const { return RootControl ? RootControl : FOwner; }

void TFormSettings::Load() {
  if (!FOwner || !FOwner->isWindow()) return;
  auto store = Open();
  if (SavePosition) {
    store->beginGroup("Position");
    const QRect now = FOwner->geometry();
    const QRect wanted(StoredInt(store->value("Left").toString(), now.x()),
                       StoredInt(store->value("Top").toString(), now.y()),
                       std::max(1, StoredInt(store->value("Width").toString(), now.width())),
                       std::max(1, StoredInt(store->value("Height").toString(), now.height())));
    FOwner->setGeometry(OnVisibleScreen(wanted));
    const QString state = store->value("WindowState", "Normal").toString().toUpper();
    Qt::WindowStates s = FOwner->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
    if (state == "MAXIMIZED") s |= Qt::WindowMaximized;
    if (state == "MINIMIZED") s |= Qt::WindowMinimized;
    FOwner->setWindowState(s);
    store->endGroup();
  }
  if (LoadValues) {
    store->beginGroup("Values");
    LoadControls(*store);
    store->endGroup();
  }
}

void TFormSettings::Save() {
  if (!FOwner || !FOwner->isWindow()) return;
  auto store = Open();
  if (SavePosition) {
    store->beginGroup("Position");
    const Qt::WindowStates s = FOwner->windowState();
    if (!(s & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) {
      const QRect g = FOwner->geometry();
      store->setValue("Left", QString::number(g.x()));
      store->setValue("Top", QString::number(g.y()));
      store->setValue("Width", QString::number(g.width()));
      store->setValue("Height", QString::number(g.height()));
    }
    store->setValue("WindowState", (s & Qt::WindowMinimized)   ? "MINIMIZED"
                                   : (s & Qt::WindowMaximized) ? "MAXIMIZED"
                                                               : "NORMAL");
    store->endGroup();
  }
  if (SaveValues) {
    store->beginGroup("Values");
    SaveControls(*store);
    store->endGroup();
  }
}

void TFormSettings::LoadControls(QSettings& store) {
  QWidget* root = Root();
  auto has = [&](const QObject* o) { return !o->objectName().isEmpty() && store.contains(o->objectName()); };
  auto text = [&](const QObject* o) { return store.value(o->objectName()).toString(); };
  for (auto* w : root->findChildren<QLineEdit*>())
    if (has(w) && !qobject_cast<QComboBox*>(w->parent())) w->setText(text(w));
  for (auto* w : root->findChildren<QPlainTextEdit*>())
    if (has(w)) w->setPlainText(text(w));
  for (auto* w : root->findChildren<QTextEdit*>())
    if (has(w)) w->setPlainText(text(w));
  for (auto* w : root->findChildren<QCheckBox*>())
    if (has(w)) w->setChecked(text(w) == "1");
  for (auto* w : root->findChildren<QRadioButton*>())
    if (has(w)) w->setChecked(text(w) == "1");
  for (auto* w : root->findChildren<QListWidget*>())
    if (has(w)) w->setCurrentRow(StoredInt(text(w), w->currentRow()));
  for (auto* w : root->findChildren<QComboBox*>())
    if (has(w)) w->setCurrentIndex(StoredInt(text(w), w->currentIndex()));
  for (auto* d : root->findChildren<QFontDialog*>()) {
    const QString n = d->objectName();
    if (n.isEmpty()) continue;
    QFont f = d->currentFont();
    if (store.contains(n + "_Name")) f.setFamily(store.value(n + "_Name").toString());
    if (store.contains(n + "_Size")) f.setPointSize(StoredInt(store.value(n + "_Size").toString(), f.pointSize()));
    if (store.contains(n + "_Bold")) f.setBold(store.value(n + "_Bold").toString() == "1");
    if (store.contains(n + "_Italic")) f.setItalic(store.value(n + "_Italic").toString() == "1");
    if (store.contains(n + "_Underline")) f.setUnderline(store.value(n + "_Underline").toString() == "1");
    if (store.contains(n + "_StrikeOut")) f.setStrikeOut(store.value(n + "_StrikeOut").toString() == "1");
    d->setCurrentFont(f);
  }
}

void TFormSettings::SaveControls(QSettings& store) {
  QWidget* root = Root();
  auto put = [&](const QObject* o, const QString& v) {
    if (!o->objectName().isEmpty()) store.setValue(o->objectName(), v);
  };
  for (auto* w : root->findChildren<QLineEdit*>())
    if (!qobject_cast<QComboBox*>(w->parent())) put(w, w->text());
  for (auto* w : root->findChildren<QPlainTextEdit*>()) put(w, w->toPlainText());
  for (auto* w : root->findChildren<QTextEdit*>()) put(w, w->toPlainText());
  for (auto* w : root->findChildren<QCheckBox*>()) put(w, Flag(w->isChecked()));
  for (auto* w : root->findChildren<QRadioButton*>()) put(w, Flag(w->isChecked()));
  for (auto* w : root->findChildren<QListWidget*>()) put(w, QString::number(w->currentRow()));
  for (auto* w : root->findChildren<QComboBox*>()) put(w, QString::number(w->currentIndex()));
  for (auto* d : root->findChildren<QFontDialog*>()) {
    const QString n = d->objectName();
    if (n.isEmpty()) continue;
    const QFont f = d->currentFont();
    store.setValue(n + "_Name", f.family());
    store.setValue(n + "_Size", QString::number(f.pointSize()));
    store.setValue(n + "_Color", "0");
    store.setValue(n + "_Bold", Flag(f.bold()));
    store.setValue(n + "_Italic", Flag(f.italic()));
    store.setValue(n + "_Underline", Flag(f.underline()));
    store.setValue(n + "_StrikeOut", Flag(f.strikeOut()));
  }
}
