// The per-user settings store: string values under organisation "Corvane", application
// "LumivexTrial". Every window reads and writes its values through these functions.
#pragma once

#include <QString>

// The value, or `fallback` when it is missing.
QString ReadSetting(const QString& name, const QString& fallback);
void WriteSetting(const QString& name, const QString& value);
// A decimal integer setting; the fallback also when the stored text is not a number.
int ReadIntSetting(const QString& name, int fallback);
