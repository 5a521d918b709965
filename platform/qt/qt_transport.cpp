#include "platform/qt/qt_transport.h"

#include <sys/socket.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QHostInfo>
#include <QSslConfiguration>
#include <QThread>
#include <QTimer>

#include "platform/qt/qt_text.h"

namespace orvinta::platform::qt {

// Output the peer has not taken yet is bounded; past this a send is refused
// rather than buffered without end.
constexpr qint64 kMaxPendingOutput = 1 << 20;
// An address that neither takes nor refuses the connection (its node is down
// or paused) is left for the next one after this long.
constexpr int kAddressTimeoutMs = 5000;

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

QtTransport::QtTransport(TransportListener& listener, QList<QSslCertificate> extraAuthorities,
                         std::shared_ptr<LastAddresses> lastAddresses, HostLookup lookup)
    : listener_(listener),
      extraAuthorities_(std::move(extraAuthorities)),
      socket_(new QSslSocket),
      lastAddresses_(std::move(lastAddresses)),
      lookup_(std::move(lookup)),
      attemptTimer_(new QTimer(this)) {
  socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  attemptTimer_->setSingleShot(true);
  connect(attemptTimer_, &QTimer::timeout, this, [this] {
    if (connecting_ && socket_ && !closedByUs_ && !untried_.isEmpty()) TryNextAddress();
  });
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
    if (!closedByUs_ && !connecting_) listener_.OnClose(0);
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
  attemptTimer_->stop();
  if (lastAddresses_) lastAddresses_->insert(host_, socket_->peerAddress());
  listener_.OnConnect(0);
}

void QtTransport::OnSslErrors(const QList<QSslError>& errors) {
  // Errors are never ignored: the socket ends the handshake, and OnError says why.
  refusedCertificate_ = FailureOf(errors);
}

void QtTransport::OnError(QAbstractSocket::SocketError error) {
  if (closedByUs_) return;
  if (connecting_ && refusedCertificate_ == 0 && !untried_.isEmpty()) {
    // Another node may take it; the socket settles before it is used again.
    QTimer::singleShot(0, this, [this] {
      if (connecting_ && socket_ && !closedByUs_) TryNextAddress();
    });
    return;
  }
  if (connecting_) {
    connecting_ = false;
    attemptTimer_->stop();
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
  host_ = QString::fromStdString(host);
  port_ = static_cast<quint16>(port);
  if (secure) {
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setProtocol(QSsl::TlsV1_2OrLater);
    config.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!extraAuthorities_.isEmpty()) config.addCaCertificates(extraAuthorities_);
    socket_->setSslConfiguration(config);
  }
  if (QHostAddress literal; literal.setAddress(host_)) {
    OnLookedUp({literal});
    return;
  }
  if (lookup_) {
    lookup_(host_, this, [this](const QList<QHostAddress>& found) { OnLookedUp(found); });
    return;
  }
  QHostInfo::lookupHost(host_, this, [this](const QHostInfo& info) { OnLookedUp(info.addresses()); });
}

void QtTransport::OnLookedUp(const QList<QHostAddress>& found) {
  if (!connecting_ || closedByUs_ || !socket_) return;
  if (found.isEmpty()) {
    connecting_ = false;
    listener_.OnConnect(static_cast<int>(QAbstractSocket::HostNotFoundError) + 1);
    return;
  }
  untried_ = found;
  // Start after the address last connected to: the node that failed us is tried last.
  const qsizetype last = lastAddresses_ ? untried_.indexOf(lastAddresses_->value(host_)) : -1;
  if (last >= 0) untried_ = untried_.mid(last + 1) + untried_.mid(0, last + 1);
  TryNextAddress();
}

void QtTransport::TryNextAddress() {
  if (socket_->state() != QAbstractSocket::UnconnectedState) {
    closedByUs_ = true;  // the attempt given up is no close to report
    socket_->abort();
    closedByUs_ = false;
  }
  const QHostAddress address = untried_.takeFirst();
  refusedCertificate_ = 0;
  if (untried_.isEmpty()) {
    attemptTimer_->stop();
  } else {
    attemptTimer_->start(kAddressTimeoutMs);
  }
  if (!secure_) {
    socket_->connectToHost(address, port_);
    return;
  }
  // The certificate must name the host as written, whichever address answers.
  socket_->connectToHostEncrypted(address.toString(), port_, host_);
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
  attemptTimer_->stop();
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
