#include "platform/qt/qt_single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QtEndian>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "protocol/guarded.h"

namespace orvinta::platform::qt {
namespace {

constexpr int kHeaderSize = 8;
constexpr quint32 kMaxPayload = 64 * 1024;
constexpr int kSendTimeoutMs = 3000;

// Reads one message from a connection as its bytes arrive, then acknowledges it.
void ServeConnection(QLocalSocket* socket, const SingleInstance::Receiver& receiver) {
  auto buffer = std::make_shared<QByteArray>();
  QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer, receiver] {
    buffer->append(socket->readAll());
    if (buffer->size() < kHeaderSize) return;
    const quint32 dwData = qFromLittleEndian<quint32>(buffer->constData());
    const quint32 size = qFromLittleEndian<quint32>(buffer->constData() + 4);
    // Popup answers are in-process: a local process must not vote or join rooms.
    if (dwData != kHandOverId || size > kMaxPayload) {
      socket->abort();
      return;
    }
    if (static_cast<quint32>(buffer->size()) < kHeaderSize + size) return;
    CopyData message{dwData, std::string(buffer->constData() + kHeaderSize, size)};
    socket->write("\x01", 1);
    socket->flush();
    socket->disconnectFromServer();
    buffer->clear();
    if (receiver) Guarded("a hand-over", [&] { receiver(message); });
  });
  QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
}

}  // namespace

QByteArray EncodeCopyData(const CopyData& message) {
  QByteArray frame(kHeaderSize, '\0');
  qToLittleEndian<quint32>(message.dwData, frame.data());
  qToLittleEndian<quint32>(static_cast<quint32>(message.bytes.size()), frame.data() + 4);
  frame.append(message.bytes.data(), static_cast<qsizetype>(message.bytes.size()));
  return frame;
}

QtSingleInstance::QtSingleInstance() = default;
QtSingleInstance::~QtSingleInstance() = default;

bool QtSingleInstance::IsPrivateFolder(const QString& path) {
  struct stat info {};
  if (lstat(QFile::encodeName(path).constData(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 0777) == 0700;
}

QString QtSingleInstance::EndpointFolder() {
  QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (dir.isEmpty() || !QDir(dir).exists()) {
    dir = QStringLiteral("/tmp/orvinta-%1").arg(getuid());
    // Created private, or else found: another user may have made it first to read our hand-overs.
    mkdir(QFile::encodeName(dir).constData(), 0700);
  }
  if (IsPrivateFolder(dir)) return dir;
  static bool said = false;
  if (!said) {
    std::fprintf(stderr, "orvinta: %s is not a folder of this user alone (mode 0700); no hand-over\n",
                 QFile::encodeName(dir).constData());
    said = true;
  }
  return {};
}

QString QtSingleInstance::SocketPath(std::string_view endpoint) {
  if (endpoint.empty() || endpoint.find('/') != std::string_view::npos) return {};
  const QString dir = EndpointFolder();
  if (dir.isEmpty()) return {};
  return dir + QLatin1Char('/') + QString::fromLatin1(endpoint.data(), static_cast<qsizetype>(endpoint.size()));
}

bool QtSingleInstance::SendToRunning(std::string_view endpoint, const CopyData& message) {
  if (message.bytes.size() > kMaxPayload) return false;
  const QString path = SocketPath(endpoint);
  if (path.isEmpty()) return false;
  QLocalSocket socket;
  socket.connectToServer(path);
  if (!socket.waitForConnected(kSendTimeoutMs)) return false;
  socket.write(EncodeCopyData(message));
  socket.waitForBytesWritten(kSendTimeoutMs);
  // Only the receipt proves a running client took the message.
  char receipt = 0;
  if (!socket.waitForReadyRead(kSendTimeoutMs) && socket.bytesAvailable() == 0) return false;
  return socket.read(&receipt, 1) == 1 && receipt == '\x01';
}

int QtSingleInstance::CountRunning(std::string_view prefix) {
  constexpr int kMaxCounted = 64;
  constexpr int kAnswerMs = 200;
  const QString dir = EndpointFolder();
  if (dir.isEmpty()) return 0;
  const QString pattern = QString::fromLatin1(prefix.data(), static_cast<qsizetype>(prefix.size())) + '*';
  int running = 0;
  for (const QString& name : QDir(dir).entryList({pattern}, QDir::System | QDir::NoDotAndDotDot)) {
    if (running == kMaxCounted) break;
    // Only an endpoint that takes a connection belongs to a running client.
    QLocalSocket socket;
    socket.connectToServer(dir + QLatin1Char('/') + name);
    if (socket.waitForConnected(kAnswerMs)) ++running;
    socket.abort();
  }
  return running;
}

bool QtSingleInstance::Listen(std::string_view endpoint, Receiver receiver) {
  const QString path = SocketPath(endpoint);
  if (path.isEmpty()) return false;
  receiver_ = std::move(receiver);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(path)) {
    // A file left by a client that crashed: nobody answered on it.
    QLocalServer::removeServer(path);
    if (!server_->listen(path)) return false;
  }
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) ServeConnection(socket, receiver_);
  });
  return true;
}

}  // namespace orvinta::platform::qt
