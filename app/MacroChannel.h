// "Open" requests from the desktop: the macro text "[Open("path")]" carried over a per-user
// local socket, split, queued until the main window registers its handler, and handled.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QLocalServer;

// Splits a received line: while it holds "][", the part up to that "]" is one macro (trimmed)
// and the text goes on at the "["; the rest is the last macro.
QStringList SplitMacros(const QString& line);

// The path of an open macro ("[Open(" up to the first quote and from the next quote on are
// cut); any other macro is returned as it is.
QString MacroPath(const QString& macro);

// What the main window opens for a list of macros: the text of the last one handled.
QString LastMacroTarget(const QStringList& macros);

// The macro queue with at most one handler; macros wait until a handler is registered.
class TMacroQueue {
 public:
  using THandler = std::function<void(const QStringList& macros)>;
  // A request on the macro topic: split, queue, deliver when a handler exists.
  void Receive(const QString& line);
  // A request on the window's own topic: the lines as they are, no splitting, no queue.
  void ReceiveDirect(const QStringList& lines);
  void RegisterHandler(THandler handler);
  const QStringList& Pending() const { return FQueue; }

 private:
  void Deliver();
  QStringList FQueue;
  THandler FHandler;
};

// The per-user channel. The first instance listens; a later start sends its macro and exits.
class TOpenChannel {
 public:
  explicit TOpenChannel(TMacroQueue& queue);
  ~TOpenChannel();

  // Name of the local socket, unique per user.
  static QString ServerName();
  // Sends one line to a running instance; false when none answers.
  static bool SendToRunning(const QString& line, int timeoutMs = 2000);
  // Starts listening (clearing a socket left by a crashed instance); false on failure.
  bool Listen();

 private:
  TMacroQueue& FQueue;
  std::unique_ptr<QLocalServer> FServer;
};
