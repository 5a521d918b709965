#pragma once
// What the HTTP side answers: the portal's static files, /rooms.json (paged:
// ?offset=N&limit=M), /metrics, and the development sign-in /signin.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "server/session_key.h"
#include "server/server_view.h"

namespace orvinta::server {

class HttpSite {
 public:
  using MetricsSource = std::function<std::string()>;

  // keys null: development mode (see PortalSignIn). With keys the sign-in
  // answers only when devSignIn is set: it would hand anyone any id's key.
  HttpSite(std::string portalDir, const ServerView& view, const SessionKeys* keys = nullptr,
           MetricsSource metrics = {}, std::int64_t keyLifetime = SessionKeys::kDefaultLifetime,
           bool devSignIn = false);

  // The whole response (status line, headers, body) to a complete request head
  // from the peer address.
  std::string Respond(std::string_view head, std::string_view peer = "127.0.0.1") const;
  // False when the portal directory does not exist: only /rooms.json is served.
  bool HasPortal() const { return !portalRoot_.empty(); }
  // The chat server's TLS port, for the portal's links to the control page.
  void SetChatTlsPort(std::uint16_t port) { chatTlsPort_ = port; }

  // extraHeaders: whole header lines, each ending in "\r\n".
  static std::string Response(int status, std::string_view contentType, std::string_view body,
                              std::string_view extraHeaders = {});
  static std::string ErrorPage(int status, std::string_view extraHeaders = {});

  // The drawn picture that stands for a member's avatar address, if it is one.
  static std::optional<std::string> AvatarPicture(std::string_view path);

 private:
  std::string StaticFile(std::string_view path) const;
  std::string SignInPage(const struct HttpRequest& request, std::string_view peer) const;

  std::string portalRoot_;  // resolved, without a trailing "/"; empty when missing
  const ServerView& view_;
  const SessionKeys* keys_;
  MetricsSource metrics_;
  std::int64_t keyLifetime_;
  bool signIn_;
  std::uint16_t chatTlsPort_ = 0;
};

}  // namespace orvinta::server
