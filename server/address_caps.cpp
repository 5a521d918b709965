#include "server/address_caps.h"

namespace orvinta::server {

bool IsLoopbackAddress(std::string_view address) { return address.starts_with("127."); }

bool AddressCaps::TryTake(const std::string& address) {
  if (Exempt(address)) return true;
  std::size_t& held = held_[address];
  if (held >= cap_) {
    if (held == 0) held_.erase(address);
    return false;
  }
  ++held;
  return true;
}

void AddressCaps::Release(const std::string& address) {
  if (Exempt(address)) return;
  const auto it = held_.find(address);
  if (it == held_.end()) return;
  if (--it->second == 0) held_.erase(it);
}

std::size_t AddressCaps::Held(const std::string& address) const {
  const auto it = held_.find(address);
  return it == held_.end() ? 0 : it->second;
}

}  // namespace orvinta::server
