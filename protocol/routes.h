#pragma once
// Incoming commands as data: a table of command and handler that dispatch
// walks, compared exactly, first match wins.
#include <span>
#include <string_view>

namespace orvinta::protocol {

template <typename Owner>
struct Route {
  std::string_view command;
  void (Owner::*handler)(std::string_view body);
};

// Calls the handler of the first route naming `command`; false when none does.
template <typename Owner>
bool Dispatch(std::span<const Route<Owner>> routes, Owner& owner, std::string_view command, std::string_view body) {
  for (const Route<Owner>& route : routes) {
    if (route.command != command) continue;
    (owner.*route.handler)(body);
    return true;
  }
  return false;
}

}  // namespace orvinta::protocol
