#include "tests/fakes/fake_transport.h"

#include <algorithm>
#include <cstring>

namespace orvinta::fakes {
namespace {

// What the owner holds: forwards to a FakeTransport that outlives it.
class TransportHandle final : public platform::Transport {
 public:
  explicit TransportHandle(FakeTransport& fake) : fake_(fake) {}
  ~TransportHandle() override { fake_.Release(); }
  void Connect(const std::string& host, int port, bool secure) override { fake_.Connect(host, port, secure); }
  int Send(std::string_view bytes) override { return fake_.Send(bytes); }
  int Receive(char* buffer, std::size_t size) override { return fake_.Receive(buffer, size); }
  void Close() override { fake_.Close(); }
  void CloseGracefully(int deadlineMs) override { fake_.CloseGracefully(deadlineMs); }

 private:
  FakeTransport& fake_;
};

}  // namespace

int FakeTransport::Send(std::string_view bytes) {
  if (refuseSends_) return -1;
  sent_.append(bytes);
  return static_cast<int>(bytes.size());
}

int FakeTransport::Receive(char* buffer, std::size_t size) {
  const std::size_t count = std::min(size, inbound_.size());
  std::memcpy(buffer, inbound_.data(), count);
  inbound_.erase(0, count);
  return static_cast<int>(count);
}

void FakeTransport::Deliver(std::string_view bytes) {
  inbound_.append(bytes);
  if (listener_) listener_->OnReceive();
}

std::unique_ptr<platform::Transport> FakeTransportFactory::Create(platform::TransportListener& listener) {
  created_.push_back(std::make_unique<FakeTransport>(listener));
  return std::make_unique<TransportHandle>(*created_.back());
}

}  // namespace orvinta::fakes
