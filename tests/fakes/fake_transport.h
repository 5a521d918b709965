#pragma once
// A scripted connection: tests feed what the server "sends" and read back
// every frame the code under test wrote. The factory keeps every connection
// it made, so a test can still look at one its owner has deleted; a deleted
// one no longer notifies, as a real socket would not.
#include <memory>
#include <string>
#include <vector>

#include "platform/transport.h"

namespace orvinta::fakes {

class FakeTransport final : public platform::Transport {
 public:
  explicit FakeTransport(platform::TransportListener& listener) : listener_(&listener) {}

  void Connect(const std::string& host, int port, bool secure) override {
    host_ = host;
    port_ = port;
    secure_ = secure;
  }
  int Send(std::string_view bytes) override;
  int Receive(char* buffer, std::size_t size) override;
  void Close() override { closed_ = true; }
  void CloseGracefully(int deadlineMs) override {
    closed_ = true;
    flushDeadlineMs_ = deadlineMs;
  }

  // Test side.
  void AcceptConnect(int error = 0) {
    if (listener_) listener_->OnConnect(error);
  }
  // Queues the bytes and notifies once, as one readable event.
  void Deliver(std::string_view bytes);
  // Queues the bytes without a notification: they are waiting when the next event comes.
  void Queue(std::string_view bytes) { inbound_.append(bytes); }
  // From now on Send takes nothing, as a connection past its output limit does.
  void RefuseSends() { refuseSends_ = true; }
  void DropConnection() {
    if (listener_) listener_->OnClose(0);
  }

  const std::string& host() const { return host_; }
  int port() const { return port_; }
  bool secure() const { return secure_; }
  bool closed() const { return closed_; }
  bool deleted() const { return listener_ == nullptr; }
  // The flush bound of a graceful close; -1 when the close was abrupt or has not happened.
  int flushDeadlineMs() const { return flushDeadlineMs_; }
  const std::string& waiting() const { return inbound_; }
  const std::string& sent() const { return sent_; }
  void ClearSent() { sent_.clear(); }

  // The owner deleted its handle.
  void Release() { listener_ = nullptr; }

 private:
  platform::TransportListener* listener_;
  std::string host_;
  int port_ = 0;
  bool secure_ = false;
  bool closed_ = false;
  int flushDeadlineMs_ = -1;
  bool refuseSends_ = false;
  std::string sent_;
  std::string inbound_;
};

// Creates FakeTransports, keeps them all and tracks the newest.
class FakeTransportFactory final : public platform::TransportFactory {
 public:
  std::unique_ptr<platform::Transport> Create(platform::TransportListener& listener) override;
  FakeTransport* last() const { return created_.empty() ? nullptr : created_.back().get(); }
  std::size_t count() const { return created_.size(); }
  FakeTransport& at(std::size_t index) const { return *created_.at(index); }

 private:
  std::vector<std::unique_ptr<FakeTransport>> created_;
};

}  // namespace orvinta::fakes
