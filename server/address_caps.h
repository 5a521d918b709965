#pragma once
// How many slots of one kind (chat connections, querying connections, HTTP
// exchanges) each peer address holds, against a cap. Loopback peers (local
// load tests, the demo, a local proxy) are exempt unless told otherwise.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orvinta::server {

bool IsLoopbackAddress(std::string_view address);

class AddressCaps {
 public:
  AddressCaps(std::size_t capPerAddress, bool capLoopback) : cap_(capPerAddress), capLoopback_(capLoopback) {}

  // Takes a slot for the address; false (and nothing taken) at the cap.
  bool TryTake(const std::string& address);
  // Gives back a slot taken by TryTake.
  void Release(const std::string& address);

  std::size_t Held(const std::string& address) const;
  // True for the addresses no cap applies to.
  bool Exempt(std::string_view address) const { return !capLoopback_ && IsLoopbackAddress(address); }

 private:

  std::size_t cap_;
  bool capLoopback_;
  std::unordered_map<std::string, std::size_t> held_;
};

}  // namespace orvinta::server
