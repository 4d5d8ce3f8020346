// TFormSettings: keeps a window's placement (and, on request, the values of its controls)
// in the per-user store, under "Software\<application title>\<window name>" unless a key
// name is given. The key maps onto the store as organisation and application (the first two
// parts after "Software") and groups for the rest; the placement lives in the group
// "Position", control values in "Values".
#pragma once

#include <QRect>
#include <QString>
#include <memory>

class QSettings;
class QWidget;

enum TSaveValueOption {
  svEdit = 1, svMemo = 2, svCheckBox = 4, svRadioButton = 8, svListBox = 16, svComboBox = 32,
  svFontDialog = 64
};

class TFormSettings {
 public:
  explicit TFormSettings(QWidget* owner) : FOwner(owner) {}

  bool SavePosition = true;
  bool SaveValues = false;
  bool LoadValues = false;
  int SaveValueOptions = 127;  // kept; Load and Save always treat every kind
  QString KeyName;             // e.g. "Software\\Lumivex\\PageSetup"; "" for the default
  QWidget* RootControl = nullptr;  // whose controls are stored; the owner when null

  // The key in use: KeyName, or "Software\Lumivex\" + the owner's object name.
  QString Key() const;
  void Load();
  void Save();

 private:
  std::unique_ptr<QSettings> Open() const;
  QWidget* Root() const;
  void LoadControls(QSettings& store);
  void SaveControls(QSettings& store);

  QWidget* FOwner;
};

// The integer of a stored text: decimal, or hexadecimal after "0x"; `fallback` otherwise.
int StoredInt(const QString& text, int fallback);
// `rect` moved (and if need be shrunk) so that a usable part of it lies on one of the
// screens `screens` (available areas); unchanged when it already does.
QRect OnVisibleScreen(const QRect& rect, const QList<QRect>& screens);
// The same against the screens of this session.
QRect OnVisibleScreen(const QRect& rect);
