#include "server/portal_signin.h"

#include <cstdio>

#include "platform/cp949.h"
#include "server/address_caps.h"
#include "server/server_limits.h"
#include "server/wire_fields.h"
#include "text/text_util.h"

namespace orvinta::server {
namespace {

constexpr std::string_view kDevelopmentKey = "dev";

// Only a path on this site, and only bytes that are safe in a header.
std::string SafeNextPath(std::string_view next, std::string_view fallback) {
  if (!next.starts_with('/') || next.starts_with("//") || next.starts_with("/\\")) return std::string(fallback);
  std::string out;
  for (char c : next) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '"' || c == '<' || c == '>' || c == '\\') {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      out += escaped;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string PercentEncode(std::string_view s) {
  std::string out;
  for (char c : s) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                       c == '-' || c == '.';
    if (plain) {
      out.push_back(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      out += escaped;
    }
  }
  return out;
}

// The host of a Host header ("name:port", "[v6]:port"), when it is a plain
// name or address; else the loopback address, where the signed-in browser is.
std::string HostOf(std::string_view hostHeader) {
  std::string_view host = hostHeader;
  if (host.starts_with('[')) {
    host = host.substr(0, host.find(']') + 1);
  } else {
    host = host.substr(0, host.find(':'));
  }
  const bool bracketed = host.size() > 2 && host.front() == '[' && host.back() == ']';
  const std::string_view allowed =
      bracketed ? "0123456789abcdefABCDEF:.[]" : "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ.-";
  if (host.empty() || host.size() > 253 || host.find_first_not_of(allowed) != std::string_view::npos) {
    return "127.0.0.1";
  }
  return std::string(host);
}

// The chat server's TLS port at the host the browser named the portal by.
std::string TlsServerAddress(std::string_view hostHeader, std::uint16_t chatTlsPort) {
  return "tls://" + HostOf(hostHeader) + ":" + std::to_string(chatTlsPort);
}

}  // namespace

std::optional<std::string> TlsControlPageLocation(const HttpRequest& request, std::uint16_t chatTlsPort) {
  if (chatTlsPort == 0 || (request.path != "/control.html" && request.path != "/control")) return std::nullopt;
  const auto server = QueryParameter(request.query, "server");
  if (server && text::StartsWithIgnoreCase(*server, "tls://")) return std::nullopt;
  std::string location = request.path + "?server=" + PercentEncode(TlsServerAddress(request.host, chatTlsPort));
  for (std::string_view item : text::Split(request.query, '&')) {
    if (!item.empty() && item.substr(0, item.find('=')) != "server") location.append("&").append(item);
  }
  return SafeNextPath(location, "/control.html");
}

std::string ClientUserId(std::string_view id) {
  std::string normal = text::ToLower(id);
  if (!normal.empty() && normal.front() >= '0' && normal.front() <= '9') normal.insert(0, "_");
  return normal;
}

SignIn PortalSignIn(const HttpRequest& request, std::string_view peer, const SessionKeys* keys,
                    std::int64_t lifetimeSeconds, std::uint16_t chatTlsPort) {
  SignIn result;
  if (!IsLoopbackAddress(peer)) {
    result.status = 403;
    return result;
  }
  const auto user = QueryParameter(request.query, "user");
  // Browsers send UTF-8; the system's ids are code page 949.
  const std::string id = user ? ClientUserId(platform::FromLocalText(text::Trim(*user))) : std::string();
  if (!IsValidUserId(id, ServerLimits{})) {
    result.status = 400;
    return result;
  }
  const std::int64_t lifetime = lifetimeSeconds;
  const std::string key = keys ? keys->Sign(id, lifetime) : std::string(kDevelopmentKey);
  std::string fallback = "/control.html?user=" + PercentEncode(platform::Cp949ToUtf8Lossy(id));
  if (chatTlsPort != 0) {
    fallback += "&server=" + PercentEncode(TlsServerAddress(request.host, chatTlsPort));
  }
  const auto next = QueryParameter(request.query, "next");
  result.status = 303;
  result.userId = id;
  result.location = SafeNextPath(next.value_or(""), fallback);
  result.cookie = std::string(kSessionCookie) + "=" + key + "; Path=/; Max-Age=" + std::to_string(lifetime) +
                  "; SameSite=Lax";
  return result;
}

}  // namespace orvinta::server
