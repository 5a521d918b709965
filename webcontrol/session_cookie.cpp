#include "webcontrol/session_cookie.h"

#include "text/text_util.h"

namespace orvinta::quendel {

std::string FindCookieValue(std::string_view cookieText, std::string_view name) {
  for (std::string_view item : text::Split(cookieText, ';')) {
    const auto parts = text::Split(item, '=');
    if (text::Trim(parts[0]) != name) continue;
    return parts.size() > 1 ? std::string(text::Trim(parts[1])) : std::string();
  }
  return {};
}

}  // namespace orvinta::quendel
