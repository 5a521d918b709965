#include "platform/qt/qt_transport.h"

#include <sys/socket.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QSslConfiguration>
#include <QThread>
#include <QTimer>

#include "platform/qt/qt_text.h"

namespace orvinta::platform::qt {

// Output the peer has not taken yet is bounded; past this a send is refused
// rather than buffered without end.
constexpr qint64 kMaxPendingOutput = 1 << 20;

QtTransportFactory::QtTransportFactory() {
  const QByteArray file = qgetenv("ORVINTA_CA_FILE");
  if (!file.isEmpty()) TrustAlso(QFile::decodeName(file));
}

bool QtTransportFactory::TrustAlso(const QString& pemFile) {
  const QList<QSslCertificate> found = QSslCertificate::fromPath(pemFile, QSsl::Pem);
  extraAuthorities_.append(found);
  if (found.isEmpty() && unusableFile_.empty()) unusableFile_ = ToCp949(pemFile);
  return !found.isEmpty();
}

namespace {

int FailureOf(const QList<QSslError>& errors) {
  for (const QSslError& e : errors) {
    switch (e.error()) {
      case QSslError::HostNameMismatch: return kCertificateWrongHost;
      case QSslError::CertificateExpired:
      case QSslError::CertificateNotYetValid: return kCertificateExpired;
      default: break;
    }
  }
  return kCertificateUntrusted;
}

}  // namespace

QtTransport::QtTransport(TransportListener& listener, QList<QSslCertificate> extraAuthorities)
    : listener_(listener), extraAuthorities_(std::move(extraAuthorities)), socket_(new QSslSocket) {
  socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  // A secure connection is up once the certificate has passed, not at TCP's connect.
  connect(socket_, &QSslSocket::connected, this, [this] {
    if (!secure_) OnReady();
  });
  connect(socket_, &QSslSocket::encrypted, this, [this] { OnReady(); });
  connect(socket_, &QSslSocket::sslErrors, this, &QtTransport::OnSslErrors);
  // The listener reads a bounded piece per notification: notify again while
  // bytes remain, as long as the listener has not closed this transport.
  connect(socket_, &QSslSocket::readyRead, this, [this] {
    QPointer<QtTransport> alive(this);
    while (alive && socket_ && !closedByUs_ && socket_->bytesAvailable() > 0) listener_.OnReceive();
  });
  connect(socket_, &QSslSocket::disconnected, this, [this] {
    if (!closedByUs_) listener_.OnClose(0);
  });
  connect(socket_, &QSslSocket::errorOccurred, this, &QtTransport::OnError);
}

QtTransport::~QtTransport() {
  if (socket_) {
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
  }
}

void QtTransport::OnReady() {
  connecting_ = false;
  listener_.OnConnect(0);
}

void QtTransport::OnSslErrors(const QList<QSslError>& errors) {
  // Errors are never ignored: the socket ends the handshake, and OnError says why.
  refusedCertificate_ = FailureOf(errors);
}

void QtTransport::OnError(QAbstractSocket::SocketError error) {
  if (closedByUs_) return;
  if (connecting_) {
    connecting_ = false;
    int failure = static_cast<int>(error) + 1;
    if (refusedCertificate_ != 0) {
      failure = refusedCertificate_;
    } else if (secure_ && (error == QAbstractSocket::SslHandshakeFailedError ||
                           error == QAbstractSocket::RemoteHostClosedError ||
                           error == QAbstractSocket::SslInternalError)) {
      failure = kSecureHandshakeFailed;
    }
    listener_.OnConnect(failure);
    return;
  }
  // A connection that ends with an error (reset, timeout) is closed as well;
  // the remote-closed case is reported once, by `disconnected`.
  if (error != QAbstractSocket::RemoteHostClosedError && socket_ &&
      socket_->state() == QAbstractSocket::UnconnectedState) {
    listener_.OnClose(static_cast<int>(error) + 1);
  }
}

void QtTransport::Connect(const std::string& host, int port, bool secure) {
  if (!socket_) return;  // closed for good
  connecting_ = true;
  closedByUs_ = false;
  secure_ = secure;
  refusedCertificate_ = 0;
  if (!secure) {
    socket_->connectToHost(QString::fromStdString(host), static_cast<quint16>(port));
    return;
  }
  QSslConfiguration config = QSslConfiguration::defaultConfiguration();
  config.setProtocol(QSsl::TlsV1_2OrLater);
  config.setPeerVerifyMode(QSslSocket::VerifyPeer);
  if (!extraAuthorities_.isEmpty()) config.addCaCertificates(extraAuthorities_);
  socket_->setSslConfiguration(config);
  socket_->connectToHostEncrypted(QString::fromStdString(host), static_cast<quint16>(port));
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

namespace {

// Ends our side once everything is written; the socket then waits for the
// peer's close. Closing with input unread would reset the connection and
// discard what is still on its way out.
void EndOutputWhenWritten(QSslSocket& socket) {
  if (socket.bytesToWrite() == 0 && socket.encryptedBytesToWrite() == 0 && socket.socketDescriptor() != -1) {
    ::shutdown(static_cast<int>(socket.socketDescriptor()), SHUT_WR);
  }
}

// The event loop may never turn again (the program is ending): push the
// output out and drain until the peer closes, bounded by the deadline.
void FinishBlocking(QSslSocket& socket, const QDeadlineTimer& deadline) {
  if (socket.state() == QAbstractSocket::ConnectedState) {
    while ((socket.bytesToWrite() > 0 || socket.encryptedBytesToWrite() > 0) && !deadline.hasExpired()) {
      if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) break;
    }
    if (socket.bytesToWrite() == 0 && socket.encryptedBytesToWrite() == 0 && socket.socketDescriptor() != -1) {
      EndOutputWhenWritten(socket);
      while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        socket.readAll();
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) break;
      }
    }
  }
  socket.abort();
}

// Inside a running event loop the same happens in the background: the
// window goes on at once, and the socket deletes itself when the peer has
// closed, at the deadline, or (finishing then as above) when the program quits.
void FinishInBackground(QSslSocket* socket, int deadlineMs) {
  const QDeadlineTimer deadline(deadlineMs);
  const auto finish = [socket] {
    socket->abort();
    socket->deleteLater();
  };
  QObject::connect(socket, &QSslSocket::bytesWritten, socket, [socket] { EndOutputWhenWritten(*socket); });
  QObject::connect(socket, &QSslSocket::encryptedBytesWritten, socket, [socket] { EndOutputWhenWritten(*socket); });
  QObject::connect(socket, &QSslSocket::readyRead, socket, [socket] { socket->readAll(); });
  QObject::connect(socket, &QSslSocket::disconnected, socket, finish);
  QObject::connect(socket, &QSslSocket::errorOccurred, socket, finish);
  QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, socket, [socket, deadline] {
    FinishBlocking(*socket, deadline);
    socket->deleteLater();
  });
  QTimer::singleShot(deadlineMs, socket, finish);
  EndOutputWhenWritten(*socket);
}

}  // namespace

void QtTransport::CloseGracefully(int deadlineMs) {
  closedByUs_ = true;
  if (!socket_) return;
  const bool inEventLoop = QCoreApplication::instance() && QThread::currentThread()->loopLevel() > 0;
  if (socket_->state() != QAbstractSocket::ConnectedState || !inEventLoop) {
    FinishBlocking(*socket_, QDeadlineTimer(deadlineMs));
    return;
  }
  QSslSocket* socket = socket_;
  socket_ = nullptr;  // it finishes on its own; this transport is done with it
  socket->disconnect(this);
  FinishInBackground(socket, deadlineMs);
}

}  // namespace orvinta::platform::qt
