#include "platform/qt/qt_transport.h"

#include <sys/socket.h>

#include <QDeadlineTimer>

namespace orvinta::platform::qt {

// Output the peer has not taken yet is bounded; past this a send is refused
// rather than buffered without end.
constexpr qint64 kMaxPendingOutput = 1 << 20;

QtTransport::QtTransport(TransportListener& listener) : listener_(listener), socket_(new QTcpSocket) {
  socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  connect(socket_, &QTcpSocket::connected, this, [this] {
    connecting_ = false;
    listener_.OnConnect(0);
  });
  // The listener reads a bounded piece per notification: notify again while
  // bytes remain, as long as the listener has not closed this transport.
  connect(socket_, &QTcpSocket::readyRead, this, [this] {
    QPointer<QtTransport> alive(this);
    while (alive && socket_ && !closedByUs_ && socket_->bytesAvailable() > 0) listener_.OnReceive();
  });
  connect(socket_, &QTcpSocket::disconnected, this, [this] {
    if (!closedByUs_) listener_.OnClose(0);
  });
  connect(socket_, &QTcpSocket::errorOccurred, this, &QtTransport::OnError);
}

QtTransport::~QtTransport() {
  if (socket_) {
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
  }
}

void QtTransport::OnError(QAbstractSocket::SocketError error) {
  if (closedByUs_) return;
  if (connecting_) {
    connecting_ = false;
    listener_.OnConnect(static_cast<int>(error) + 1);
    return;
  }
  // A connection that ends with an error (reset, timeout) is closed as well;
  // the remote-closed case is reported once, by `disconnected`.
  if (error != QAbstractSocket::RemoteHostClosedError && socket_ &&
      socket_->state() == QAbstractSocket::UnconnectedState) {
    listener_.OnClose(static_cast<int>(error) + 1);
  }
}

void QtTransport::Connect(const std::string& host, int port) {
  connecting_ = true;
  closedByUs_ = false;
  socket_->connectToHost(QString::fromStdString(host), static_cast<quint16>(port));
}

int QtTransport::Send(std::string_view bytes) {
  if (!socket_ || socket_->state() != QAbstractSocket::ConnectedState) return -1;
  if (socket_->bytesToWrite() > kMaxPendingOutput) return -1;
  return static_cast<int>(socket_->write(bytes.data(), static_cast<qint64>(bytes.size())));
}

int QtTransport::Receive(char* buffer, std::size_t size) {
  if (!socket_) return -1;
  return static_cast<int>(socket_->read(buffer, static_cast<qint64>(size)));
}

void QtTransport::Close() {
  closedByUs_ = true;
  if (socket_) socket_->abort();
}

void QtTransport::CloseGracefully(int deadlineMs) {
  closedByUs_ = true;
  if (!socket_) return;
  if (socket_->state() == QAbstractSocket::ConnectedState) {
    // Written bytes wait in the socket's buffer for an event loop that may
    // never turn again (the program is ending): push them out now, bounded.
    const QDeadlineTimer deadline(deadlineMs);
    while (socket_->bytesToWrite() > 0 && !deadline.hasExpired()) {
      if (!socket_->waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) break;
    }
    // Closing with input unread would reset the connection and discard what
    // is still on its way out: end our side, then drain until the peer closes.
    if (socket_->bytesToWrite() == 0 && socket_->socketDescriptor() != -1) {
      ::shutdown(static_cast<int>(socket_->socketDescriptor()), SHUT_WR);
      while (socket_->state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        socket_->readAll();
        if (!socket_->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) break;
      }
    }
  }
  socket_->abort();
}

}  // namespace orvinta::platform::qt
