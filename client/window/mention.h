#pragma once
// Lines that name the user: someone else's text containing the user's nick
// or id, so the transcript and the tab can point them out.
#include <string_view>

namespace orvinta::window {

struct OwnNames {
  std::string_view id;    // as logged in; a leading "_" is not part of the name people type
  std::string_view nick;  // code page 949 bytes
};

// True when `text` names the user. The nick matches as written, starting on
// a character boundary (a trail byte followed by a lead byte is no match);
// the id matches in any letter case.
bool NamesUser(std::string_view text, const OwnNames& self);

}  // namespace orvinta::window
