#include "app/MacroChannel.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

QStringList ToQt(const TMacroList& list) {
  QStringList out;
  for (const std::string& s : list) out << QString::fromStdString(s);
  return out;
}

TMacroList FromQt(const QStringList& list) {
  TMacroList out;
  for (const QString& s : list) out.push_back(s.toStdString());
  return out;
}

}  // namespace

QStringList SplitMacros(const QString& line) { return ToQt(::SplitMacros(line.toStdString())); }

QString MacroPath(const QString& macro) {
  return QString::fromStdString(::MacroPath(macro.toStdString()));
}

QString LastMacroTarget(const QStringList& macros) {
  return QString::fromStdString(::LastMacroTarget(FromQt(macros)));
}

QString OpenRequestFor(const QStringList& paths, QString* refused) {
  QString line;
  for (const QString& p : paths) {
    const auto macro = OpenMacroFor(p.toStdString());
    if (!macro) {
      if (refused) *refused = p;
      return QString();
    }
    line += QString::fromStdString(*macro);
  }
  return line;
}

void TMacroQueue::Receive(const QString& line) { FBuffer.Receive(line.toStdString()); }

void TMacroQueue::ReceiveDirect(const QStringList& lines) { FBuffer.ReceiveDirect(FromQt(lines)); }

void TMacroQueue::RegisterHandler(THandler handler) {
  FBuffer.RegisterHandler([handler = std::move(handler)](const TMacroList& m) { handler(ToQt(m)); });
}

QStringList TMacroQueue::Pending() const { return ToQt(FBuffer.Pending()); }

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

bool TOpenChannel::SendToRunning(const QString& line, int timeoutMs, const QString& topic) {
  QLocalSocket socket;
  socket.connectToServer(ServerName());
  if (!socket.waitForConnected(timeoutMs)) return false;
  const QString text = topic == QLatin1String(kMacroTopic) ? line : topic + '\t' + line;
  socket.write(text.toUtf8() + '\n');
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
  const QString direct = QString::fromLatin1(kWindowTopic) + '\t';
  if (line.startsWith(direct))
    FQueue.ReceiveDirect({line.mid(direct.size())});
  else
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
