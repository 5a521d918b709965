#pragma once
// A scripted connection: tests feed what the server "sends" and read back
// every frame the code under test wrote.
#include <deque>
#include <string>
#include <vector>

#include "platform/transport.h"

namespace orvinta::fakes {

class FakeTransport final : public platform::Transport {
 public:
  explicit FakeTransport(platform::TransportListener& listener) : listener_(listener) {}

  void Connect(const std::string& host, int port) override {
    host_ = host;
    port_ = port;
    connectCalls_++;
  }
  int Send(std::string_view bytes) override;
  int Receive(char* buffer, std::size_t size) override;
  void Close() override { closed_ = true; }

  // Test side.
  void AcceptConnect(int error = 0) { listener_.OnConnect(error); }
  // Queues the bytes and notifies once, as one readable event.
  void Deliver(std::string_view bytes);
  void DropConnection() { listener_.OnClose(0); }

  const std::string& host() const { return host_; }
  int port() const { return port_; }
  bool closed() const { return closed_; }
  const std::string& sent() const { return sent_; }
  void ClearSent() { sent_.clear(); }

 private:
  platform::TransportListener& listener_;
  std::string host_;
  int port_ = 0;
  int connectCalls_ = 0;
  bool closed_ = false;
  std::string sent_;
  std::string inbound_;
};

// Creates FakeTransports and keeps track of the newest.
class FakeTransportFactory final : public platform::TransportFactory {
 public:
  std::unique_ptr<platform::Transport> Create(platform::TransportListener& listener) override;
  FakeTransport* last() const { return created_.empty() ? nullptr : created_.back(); }
  std::size_t count() const { return created_.size(); }

 private:
  std::vector<FakeTransport*> created_;
};

}  // namespace orvinta::fakes
