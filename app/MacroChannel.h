// "Open" requests from the desktop: the macro text "[Open("path")]" carried over a per-user
// local socket on two topics, split, queued until the main window registers its handler, and
// handled. The rules live in app/shell/Macros.h; this adapts them to Qt and the socket.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "app/shell/Macros.h"

class QLocalServer;

QStringList SplitMacros(const QString& line);
QString MacroPath(const QString& macro);
QString LastMacroTarget(const QStringList& macros);
// The request that opens the paths (the last one shown), or "" when a path cannot travel in
// a macro (see OpenMacroFor); `refused` receives such a path.
QString OpenRequestFor(const QStringList& paths, QString* refused = nullptr);

// The macro queue with at most one handler; macros wait until a handler is registered, and
// requests that arrive while the handler runs are delivered after it returns.
class TMacroQueue {
 public:
  using THandler = std::function<void(const QStringList& macros)>;
  // A request on the "Macros" topic: split, queue, deliver when a handler exists.
  void Receive(const QString& line);
  // A request on the "LumivexDdeServer" topic: the lines as they are, no splitting.
  void ReceiveDirect(const QStringList& lines);
  void RegisterHandler(THandler handler);
  QStringList Pending() const;

 private:
  TMacroBuffer FBuffer;
};

// The per-user channel. The first instance listens; a later start sends its macro, or asks
// the running instance to come to the front, and exits. A line is a request on "Macros"; a
// line that begins with "LumivexDdeServer" and a tab is a request on that topic.
class TOpenChannel {
 public:
  enum class TListen { Listening, AnotherInstance, Failed };

  explicit TOpenChannel(TMacroQueue& queue);
  ~TOpenChannel();

  // Name of the local socket, unique per user.
  static QString ServerName();
  // Sends one line to a running instance on a topic; false when none answers.
  static bool SendToRunning(const QString& line, int timeoutMs = 2000,
                            const QString& topic = QString::fromLatin1(kMacroTopic));
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
