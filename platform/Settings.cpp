#include "platform/Settings.h"

#include <QSettings>

namespace {
QSettings Store() { return QSettings(QStringLiteral("Corvane"), QStringLiteral("LumivexTrial")); }
}  // namespace

QString ReadSetting(const QString& name, const QString& fallback) {
  const QVariant v = Store().value(name);
  return v.isValid() ? v.toString() : fallback;
}

void WriteSetting(const QString& name, const QString& value) { Store().setValue(name, value); }

int ReadIntSetting(const QString& name, int fallback) {
  bool ok = false;
  const int v = ReadSetting(name, QString::number(fallback)).trimmed().toInt(&ok);
  return ok ? v : fallback;
}
