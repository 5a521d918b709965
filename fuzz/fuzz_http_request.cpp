// Feeds arbitrary request heads to the HTTP side without sockets: the request
// line parser, the portal path rules, query parameters, and the site's answer
// (rooms list pages, /metrics, the sign-in, static files) from a loopback or a
// remote peer. Every answer must be a whole HTTP/1.0 response.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "server/http_request.h"
#include "server/http_site.h"

namespace {

using namespace orvinta::server;

class Rooms final : public ServerView {
 public:
  std::vector<RoomSummary> ListRooms() const override {
    return {{"lobby", "", 3}, {"\xB7\xCE\xBA\xF1", "", 1}, {"a\"b<c>", "", 2}};
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > kMaxHttpHead) return 0;
  const std::string_view head(reinterpret_cast<const char*>(data + 1), size - 1);
  static const Rooms rooms;
  static const SessionKeys keys("fuzzing secret, sixteen bytes+", [] { return std::int64_t{1'800'000'000}; });
  static const HttpSite site(ORVINTA_FUZZ_PORTAL_DIR, rooms, &keys, [] { return std::string("orvinta_rooms 3\n"); });

  if (const auto request = ParseHttpRequest(head)) {
    if (request->path.empty() || request->path[0] != '/') __builtin_trap();
    if (const auto relative = PortalRelativePath(request->path)) {
      if (relative->find("..") == 0 || relative->find("/.") != std::string::npos || relative->front() == '/') {
        __builtin_trap();
      }
    }
    (void)QueryParameter(request->query, "user");
  }
  const std::string response = site.Respond(head, (data[0] & 1) ? "127.0.0.1" : "10.0.0.1");
  if (!response.starts_with("HTTP/1.0 ") || response.find("\r\n\r\n") == std::string::npos) __builtin_trap();
  // Nothing from the request may start a header line of its own.
  const std::string_view headers = std::string_view(response).substr(0, response.find("\r\n\r\n"));
  if (headers.find('\n') != std::string_view::npos) {
    for (std::size_t at = headers.find('\n'); at != std::string_view::npos; at = headers.find('\n', at + 1)) {
      if (headers[at - 1] != '\r') __builtin_trap();
    }
  }
  return 0;
}
