// An event filter that lets an edit take only the typed characters a rule accepts. Keys that
// type nothing (arrows, Home, End, Tab, Enter) pass unless the rule names them.
#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

class TKeyFilter : public QObject {
 public:
  // `accepts` receives the typed character ('\b' for Backspace and Delete, '\t', '\r').
  TKeyFilter(QLineEdit* edit, std::function<bool(char)> accepts);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool(char)> FAccepts;
};
