#include "app/MacroChannel.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

QStringList SplitMacros(const QString& line) {
  QStringList macros;
  QString text = line;
  for (qsizetype at = text.indexOf("]["); at >= 0; at = text.indexOf("][")) {
    macros << text.left(at + 1).trimmed();
    text = text.mid(at + 1);
  }
  macros << text;
  return macros;
}

QString MacroPath(const QString& macro) {
  if (!macro.startsWith(QStringLiteral("[Open("))) return macro;
  QString rest = macro;
  const qsizetype first = rest.indexOf('"');
  rest = first >= 0 ? rest.mid(first + 1) : QString();
  const qsizetype next = rest.indexOf('"');
  return next >= 0 ? rest.left(next) : rest;
}

QString LastMacroTarget(const QStringList& macros) {
  QString last;
  for (const QString& m : macros) last = MacroPath(m);
  return last;
}

void TMacroQueue::Receive(const QString& line) {
  FQueue << SplitMacros(line);
  Deliver();
}

void TMacroQueue::ReceiveDirect(const QStringList& lines) {
  if (FHandler) FHandler(lines);
}

void TMacroQueue::RegisterHandler(THandler handler) {
  FHandler = std::move(handler);
  Deliver();
}

void TMacroQueue::Deliver() {
  if (!FHandler || FQueue.isEmpty()) return;
  const QStringList macros = FQueue;
  FQueue.clear();
  FHandler(macros);
}

namespace {
// The request to come to the front: not a macro, so it never reaches the macro queue.
const char* const kActivateLine = "[Activate()]";
}  // namespace

TOpenChannel::TOpenChannel(TMacroQueue& queue) : FQueue(queue) {}

TOpenChannel::~TOpenChannel() = default;

QString TOpenChannel::ServerName() {
  // The user's private runtime folder when there is one, else a per-user name in /tmp.
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime + QStringLiteral("/lumivex-open");
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = QDir::home().dirName();
  return QStringLiteral("lumivex-open-") + user;
}

bool TOpenChannel::SendToRunning(const QString& line, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(ServerName());
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(line.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
  return true;
}

bool TOpenChannel::ActivateRunning(int timeoutMs) {
  return SendToRunning(QString::fromLatin1(kActivateLine), timeoutMs);
}

void TOpenChannel::ReceiveLine(const QString& line) {
  if (line == QLatin1String(kActivateLine)) {
    if (OnActivate) OnActivate();
    return;
  }
  FQueue.Receive(line);
}

TOpenChannel::TListen TOpenChannel::Listen() {
  // Listening replaces whatever socket file has the name, a live one too: ask first. An
  // instance that answers is left alone; a socket nobody answers on was left by a crashed
  // instance and is cleared.
  {
    QLocalSocket probe;
    probe.connectToServer(ServerName());
    if (probe.waitForConnected(1000)) {
      probe.disconnectFromServer();
      return TListen::AnotherInstance;
    }
  }
  QLocalServer::removeServer(ServerName());
  FServer = std::make_unique<QLocalServer>();
  FServer->setSocketOptions(QLocalServer::UserAccessOption);
  if (!FServer->listen(ServerName())) {
    FServer.reset();
    return TListen::Failed;
  }
  QObject::connect(FServer.get(), &QLocalServer::newConnection, [this] {
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
      auto buffer = std::make_shared<QByteArray>();
      auto drain = [this, socket, buffer] {
        *buffer += socket->readAll();
        for (qsizetype nl = buffer->indexOf('\n'); nl >= 0; nl = buffer->indexOf('\n')) {
          const QString line = QString::fromUtf8(buffer->left(nl));
          buffer->remove(0, nl + 1);
          if (!line.isEmpty()) ReceiveLine(line);
        }
      };
      QObject::connect(socket, &QLocalSocket::readyRead, socket, drain);
      QObject::connect(socket, &QLocalSocket::disconnected, socket, [socket, drain] {
        drain();
        socket->deleteLater();
      });
      drain();
    }
  });
  return TListen::Listening;
}
