#pragma once
// The transport port over QTcpSocket: notifications arrive from Qt's event loop.
#include <QObject>
#include <QPointer>
#include <QTcpSocket>

#include "platform/transport.h"

namespace orvinta::platform::qt {

class QtTransport final : public QObject, public Transport {
  Q_OBJECT
 public:
  explicit QtTransport(TransportListener& listener);
  ~QtTransport() override;

  void Connect(const std::string& host, int port) override;
  int Send(std::string_view bytes) override;
  int Receive(char* buffer, std::size_t size) override;
  void Close() override;
  void CloseGracefully(int deadlineMs) override;

 private:
  void OnError(QAbstractSocket::SocketError error);

  TransportListener& listener_;
  // Deleted later: the socket may be closed from inside one of its own signals.
  QPointer<QTcpSocket> socket_;
  bool connecting_ = false;
  bool closedByUs_ = false;
};

class QtTransportFactory final : public TransportFactory {
 public:
  std::unique_ptr<Transport> Create(TransportListener& listener) override {
    return std::make_unique<QtTransport>(listener);
  }
};

}  // namespace orvinta::platform::qt
