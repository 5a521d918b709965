#pragma once
// What the HTTP side answers: the portal's static files and /rooms.json.
#include <optional>
#include <string>
#include <string_view>

#include "server/server_view.h"

namespace orvinta::server {

class HttpSite {
 public:
  HttpSite(std::string portalDir, const ServerView& view);

  // The whole response (status line, headers, body) to a complete request head.
  std::string Respond(std::string_view head) const;
  // False when the portal directory does not exist: only /rooms.json is served.
  bool HasPortal() const { return !portalRoot_.empty(); }

  static std::string Response(int status, std::string_view contentType, std::string_view body);

  // The drawn picture that stands for a member's avatar address, if it is one.
  static std::optional<std::string> AvatarPicture(std::string_view path);

 private:
  std::string StaticFile(std::string_view path) const;

  std::string portalRoot_;  // resolved, without a trailing "/"; empty when missing
  const ServerView& view_;
};

}  // namespace orvinta::server
