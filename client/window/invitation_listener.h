#pragma once
// Those who hear of an invitation to a 1:1 room besides its popup (the
// desktop notifications).
#include <string_view>

namespace orvinta::window {

class InvitationListener {
 public:
  virtual ~InvitationListener() = default;
  virtual void OnInvitation(std::string_view channel, std::string_view inviterNick) = 0;
};

}  // namespace orvinta::window
