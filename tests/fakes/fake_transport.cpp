#include "tests/fakes/fake_transport.h"

#include <algorithm>
#include <cstring>

namespace orvinta::fakes {

int FakeTransport::Send(std::string_view bytes) {
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
  listener_.OnReceive();
}

std::unique_ptr<platform::Transport> FakeTransportFactory::Create(platform::TransportListener& listener) {
  auto transport = std::make_unique<FakeTransport>(listener);
  created_.push_back(transport.get());
  return transport;
}

}  // namespace orvinta::fakes
