#pragma once
// The transport port over QSslSocket: clear text, or TLS checked against the
// system's authorities (and any private one added) and the host name.
// A host name with several addresses (one per node) is tried address by
// address, each connect starting after the one last connected to.
// Notifications arrive from Qt's event loop.
#include <functional>
#include <memory>

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslCertificate>
#include <QSslError>
#include <QSslSocket>
#include <QString>
#include <string>
#include <QTimer>

#include "platform/transport.h"

namespace orvinta::platform::qt {

// The address each host name was last connected to, shared by a factory's transports.
using LastAddresses = QHash<QString, QHostAddress>;
// Finds a host name's addresses, in order, and hands them to `found` (none:
// no such host), at once or later from the event loop; nothing comes once
// `context` is gone. Empty: the system's resolver.
using HostLookup = std::function<void(const QString& host, QObject* context,
                                      std::function<void(const QList<QHostAddress>&)> found)>;

class QtTransport final : public QObject, public Transport {
  Q_OBJECT
 public:
  explicit QtTransport(TransportListener& listener, QList<QSslCertificate> extraAuthorities = {},
                       std::shared_ptr<LastAddresses> lastAddresses = {}, HostLookup lookup = {});
  ~QtTransport() override;

  void Connect(const std::string& host, int port, bool secure) override;
  int Send(std::string_view bytes) override;
  int Receive(char* buffer, std::size_t size) override;
  void Close() override;
  void CloseGracefully(int deadlineMs) override;

 private:
  void OnError(QAbstractSocket::SocketError error);
  void OnSslErrors(const QList<QSslError>& errors);
  void OnReady();
  void OnLookedUp(const QList<QHostAddress>& found);
  void TryNextAddress();

  TransportListener& listener_;
  const QList<QSslCertificate> extraAuthorities_;  // shared, not copied
  // Deleted later: the socket may be closed from inside one of its own signals.
  QPointer<QSslSocket> socket_;
  bool connecting_ = false;
  bool secure_ = false;
  int refusedCertificate_ = 0;  // a TransportFailure once the check failed
  bool closedByUs_ = false;
  const std::shared_ptr<LastAddresses> lastAddresses_;
  const HostLookup lookup_;
  QString host_;
  quint16 port_ = 0;
  QList<QHostAddress> untried_;  // this connect's addresses not yet tried, in order
  QTimer* attemptTimer_;         // one address may not hold up the others
};

class QtTransportFactory final : public TransportFactory {
 public:
  // Trusts, besides the system's authorities, the one in $ORVINTA_CA_FILE.
  QtTransportFactory();
  // Adds the authorities of a PEM file (a private CA); false when it cannot be
  // read or holds none, and the file is then kept as the unusable one.
  bool TrustAlso(const QString& pemFile);
  // The first authority file named that gave no certificate (code page 949);
  // empty when none. Connections are refused while it is set (ConnectPolicy).
  const std::string& UnusableAuthorityFile() const { return unusableFile_; }
  // Host names are looked up by this instead of the system's resolver.
  void LookUpWith(HostLookup lookup) { lookup_ = std::move(lookup); }

  std::unique_ptr<Transport> Create(TransportListener& listener) override {
    return std::make_unique<QtTransport>(listener, extraAuthorities_, lastAddresses_, lookup_);
  }

 private:
  QList<QSslCertificate> extraAuthorities_;
  std::string unusableFile_;
  std::shared_ptr<LastAddresses> lastAddresses_ = std::make_shared<LastAddresses>();
  HostLookup lookup_;
};

}  // namespace orvinta::platform::qt
