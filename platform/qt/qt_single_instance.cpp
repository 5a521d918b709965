#include "platform/qt/qt_single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QtEndian>
#include <unistd.h>

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
    if (size > kMaxPayload) {
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

QString QtSingleInstance::SocketPath() {
  QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (dir.isEmpty() || !QDir(dir).exists()) {
    dir = QStringLiteral("/tmp/orvinta-%1").arg(getuid());
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  return dir + QStringLiteral("/orvinta-class");
}

bool QtSingleInstance::SendToRunning(const CopyData& message) {
  if (message.bytes.size() > kMaxPayload) return false;
  QLocalSocket socket;
  socket.connectToServer(SocketPath());
  if (!socket.waitForConnected(kSendTimeoutMs)) return false;
  socket.write(EncodeCopyData(message));
  socket.waitForBytesWritten(kSendTimeoutMs);
  // Whatever the running client answers, the hand-over is done.
  socket.waitForReadyRead(kSendTimeoutMs);
  return true;
}

bool QtSingleInstance::Listen(Receiver receiver) {
  receiver_ = std::move(receiver);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  const QString path = SocketPath();
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
