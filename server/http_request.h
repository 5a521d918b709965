#pragma once
// The small HTTP/1.0 side of the server: reading a request head and mapping
// its path onto the portal directory, without I/O.
#include <optional>
#include <string>
#include <string_view>

namespace orvinta::server {

inline constexpr std::size_t kMaxHttpHead = 8 * 1024;

struct HttpRequest {
  std::string method;
  std::string path;   // percent-decoded, without the query
  std::string query;  // as sent, after the "?"
  std::string host = {};  // the Host header's value, as sent ("" without one)
};

// The percent-decoded value ("+" is a space) of the first parameter with the
// name in a query; nullopt when absent or badly escaped.
std::optional<std::string> QueryParameter(std::string_view query, std::string_view name);

// The request line of a complete head ("GET /x HTTP/1.0\r\n..."); nullopt when
// it is not a well-formed HTTP/1.x request line.
std::optional<HttpRequest> ParseHttpRequest(std::string_view head);

// A path relative to the portal directory: "/" gives "index.html". nullopt for
// anything that could leave the directory or name a hidden file ("..", ".x",
// "\", a zero byte, a bad percent escape).
std::optional<std::string> PortalRelativePath(std::string_view path);

}  // namespace orvinta::server
