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

// The per-user channel. The first instance listens; a later start sends its macro, or asks
// the running instance to come to the front, and exits.
class TOpenChannel {
 public:
  enum class TListen { Listening, AnotherInstance, Failed };

  explicit TOpenChannel(TMacroQueue& queue);
  ~TOpenChannel();

  // Name of the local socket, unique per user.
  static QString ServerName();
  // Sends one line to a running instance; false when none answers.
  static bool SendToRunning(const QString& line, int timeoutMs = 2000);
  // Asks a running instance to bring its main window to the front; false when none answers.
  static bool ActivateRunning(int timeoutMs = 2000);
  // Starts listening. A socket that another instance answers on is left alone
  // (AnotherInstance); only a socket left by a crashed instance is cleared and taken over.
  TListen Listen();

  // Called when another start asks for the window (see ActivateRunning).
  std::function<void()> OnActivate;

 private:
  void ReceiveLine(const QString& line);

  TMacroQueue& FQueue;
  std::unique_ptr<QLocalServer> FServer;
};
