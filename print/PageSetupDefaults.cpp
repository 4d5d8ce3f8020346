#include "print/PageSetupDefaults.h"

#include <QLocale>

#include "platform/Settings.h"
#include "print/PreviewPrinter.h"
#include "print/core/PageSetupStore.h"

namespace {

// The defaults are kept as the page setup window's field values.
QString StoredName(const std::string& field) {
  return QStringLiteral("PageSetupForm/Values/") + QString::fromStdString(field);
}

char AsciiOr(const QString& s, char fallback) {
  return s.size() == 1 && s[0].unicode() < 128 ? static_cast<char>(s[0].unicode()) : fallback;
}

}  // namespace

char LocaleDecimalPoint() { return AsciiOr(QLocale().decimalPoint(), '.'); }

char LocaleGroupSeparator() {
  const char c = AsciiOr(QLocale().groupSeparator(), ',');
  return c == LocaleDecimalPoint() ? (c == ',' ? '.' : ',') : c;
}

TPageSettings EngineSettings(const TPreviewPrinter& engine) {
  TPageSettings s;
  s.Units = engine.Units;
  s.Orientation = engine.Orientation;
  s.Text = engine.TextOptions;
  return s;
}

void ApplyEngineSettings(const TPageSettings& s, TPreviewPrinter& engine) {
  engine.Units = s.Units;
  engine.Orientation = s.Orientation;
  engine.TextOptions = s.Text;
}

TPaperInches EnginePaper(const TPreviewPrinter& engine) {
  return PaperOf(engine.ReferenceMetrics(), engine.Orientation);
}

void LoadPageSetupDefaults(TPreviewPrinter& engine) {
  TPageSettings settings = EngineSettings(engine);
  TPageSetupValues values = PageSetupFrom(settings);
  // A marker no stored text equals tells a missing value from an empty one.
  const QString missing = QStringLiteral("\x01missing\x01");
  const TStoredLookup lookup = [&](const std::string& name) -> std::optional<std::string> {
    const QString v = ReadSetting(StoredName(name), missing);
    if (v == missing) return std::nullopt;
    return v.toStdString();
  };
  LoadStoredPageSetup(values, lookup, EnginePaper(engine), LocaleDecimalPoint(),
                      LocaleGroupSeparator());
  ApplyPageSetup(values, settings);
  ApplyEngineSettings(settings, engine);
}

void SavePageSetupDefaults(const TPageSetupValues& values) {
  for (const auto& [name, text] :
       PageSetupStoredValues(values, LocaleDecimalPoint(), LocaleGroupSeparator()))
    WriteSetting(StoredName(name), QString::fromStdString(text));
}
