#pragma once
// Finding one cookie's value in a document's cookie text.
#include <string>
#include <string_view>

namespace orvinta::quendel {

inline constexpr std::string_view kSessionCookieName = "blvsession_eid";

// Items are split at ";"; an item's name is the text before its first "=" and
// its value the text between the first and a second "="; both are trimmed.
// The first item whose name equals `name` byte for byte gives the value;
// otherwise the value is empty.
std::string FindCookieValue(std::string_view cookieText, std::string_view name);

}  // namespace orvinta::quendel
