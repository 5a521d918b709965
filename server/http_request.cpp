#include "server/http_request.h"

#include <algorithm>

#include "text/text_util.h"

namespace orvinta::server {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> PercentDecode(std::string_view s, bool plusIsSpace = false) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      out.push_back(plusIsSpace && s[i] == '+' ? ' ' : s[i]);
      continue;
    }
    if (i + 2 >= s.size()) return std::nullopt;
    const int high = HexDigit(s[i + 1]);
    const int low = HexDigit(s[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out.push_back(static_cast<char>(high * 16 + low));
    i += 2;
  }
  return out;
}

}  // namespace

std::optional<HttpRequest> ParseHttpRequest(std::string_view head) {
  const std::string_view line = head.substr(0, head.find("\r\n"));
  const auto parts = text::Split(line, ' ');
  if (parts.size() != 3 || parts[0].empty() || !parts[2].starts_with("HTTP/1.")) return std::nullopt;
  const auto mark = parts[1].find('?');
  const std::string_view target = parts[1].substr(0, mark);
  if (!target.starts_with('/')) return std::nullopt;
  auto path = PercentDecode(target);
  if (!path) return std::nullopt;
  const std::string_view query = mark == std::string_view::npos ? std::string_view() : parts[1].substr(mark + 1);
  std::string host;
  for (std::string_view rest = head.substr(line.size()); !rest.empty();) {
    rest.remove_prefix(std::min<std::size_t>(2, rest.size()));  // the "\r\n" before each header
    const std::string_view header = rest.substr(0, rest.find("\r\n"));
    rest.remove_prefix(header.size());
    if (header.empty()) break;  // the end of the head
    if (header.size() > 5 && text::ToLower(header.substr(0, 5)) == "host:") {
      host = std::string(text::Trim(header.substr(5)));
      break;
    }
  }
  return HttpRequest{std::string(parts[0]), std::move(*path), std::string(query), std::move(host)};
}

std::optional<std::string> QueryParameter(std::string_view query, std::string_view name) {
  for (std::string_view item : text::Split(query, '&')) {
    const auto eq = item.find('=');
    if (item.substr(0, eq) != name) continue;
    return PercentDecode(eq == std::string_view::npos ? std::string_view() : item.substr(eq + 1), true);
  }
  return std::nullopt;
}

std::optional<std::string> PortalRelativePath(std::string_view path) {
  if (!path.starts_with('/')) return std::nullopt;
  std::string relative;
  for (std::string_view segment : text::Split(path.substr(1), '/')) {
    if (segment.empty()) continue;
    if (segment.front() == '.' || segment.find('\\') != std::string_view::npos ||
        segment.find('\0') != std::string_view::npos) {
      return std::nullopt;
    }
    if (!relative.empty()) relative.push_back('/');
    relative.append(segment);
  }
  if (relative.empty() || path.ends_with('/')) {
    if (!relative.empty()) relative.push_back('/');
    relative.append("index.html");
  }
  return relative;
}

}  // namespace orvinta::server
