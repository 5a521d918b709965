#include "server/http_site.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "server/blog_page.h"
#include "server/http_request.h"
#include "server/portal_signin.h"
#include "server/rooms_json.h"

namespace orvinta::server {
namespace {

constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;

struct ContentType {
  std::string_view extension;
  std::string_view type;
};

constexpr ContentType kContentTypes[] = {
    {".html", "text/html; charset=utf-8"}, {".htm", "text/html; charset=utf-8"},
    {".css", "text/css; charset=utf-8"},   {".js", "text/javascript; charset=utf-8"},
    {".json", "application/json"},         {".txt", "text/plain; charset=utf-8"},
    {".png", "image/png"},                 {".gif", "image/gif"},
    {".jpg", "image/jpeg"},                {".jpeg", "image/jpeg"},
    {".svg", "image/svg+xml"},             {".ico", "image/x-icon"},
};

std::string_view ContentTypeOf(std::string_view path) {
  for (const ContentType& entry : kContentTypes) {
    if (path.ends_with(entry.extension)) return entry.type;
  }
  return "application/octet-stream";
}

struct Status {
  int code;
  std::string_view reason;
};

constexpr Status kStatuses[] = {
    {200, "OK"},
    {303, "See Other"},
    {400, "Bad Request"},
    {403, "Forbidden"},
    {404, "Not Found"},
    {405, "Method Not Allowed"},
    {413, "Payload Too Large"},
    {431, "Request Header Fields Too Large"},
    {500, "Internal Server Error"},
    {503, "Service Unavailable"},
};

std::string_view ReasonOf(int code) {
  for (const Status& s : kStatuses) {
    if (s.code == code) return s.reason;
  }
  return "Error";
}

// Older clients ask for the panes' pages by these names.
struct PathAlias {
  std::string_view from;
  std::string_view to;
};

constexpr PathAlias kPathAliases[] = {
    {"/gnb", "/ChatGNB"},
    {"/welcome", "/ChatWelcome"},
};

std::string_view Unaliased(std::string_view path) {
  for (const PathAlias& alias : kPathAliases) {
    if (path == alias.from) return alias.to;
  }
  return path;
}

std::string Resolved(const std::string& path) {
  char buffer[PATH_MAX];
  return realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

// A page number from the query: digits only, bounded.
std::size_t QueryNumber(std::string_view query, std::string_view name, std::size_t fallback) {
  const auto value = QueryParameter(query, name);
  if (!value || value->empty() || value->size() > 6 || value->find_first_not_of("0123456789") != std::string::npos) {
    return fallback;
  }
  return static_cast<std::size_t>(std::stoul(*value));
}

}  // namespace

HttpSite::HttpSite(std::string portalDir, const ServerView& view, const SessionKeys* keys, MetricsSource metrics,
                   std::int64_t keyLifetime, bool devSignIn)
    : portalRoot_(Resolved(portalDir)),
      view_(view),
      keys_(keys),
      metrics_(std::move(metrics)),
      keyLifetime_(keyLifetime),
      signIn_(keys == nullptr || devSignIn) {}

std::string HttpSite::ErrorPage(int code, std::string_view extraHeaders) {
  return Response(code, "text/plain; charset=utf-8", std::to_string(code) + " " + std::string(ReasonOf(code)) + "\n",
                  extraHeaders);
}

std::string HttpSite::Response(int status, std::string_view contentType, std::string_view body,
                               std::string_view extraHeaders) {
  std::string out = "HTTP/1.0 " + std::to_string(status) + " " + std::string(ReasonOf(status)) + "\r\n";
  out += "Content-Type: " + std::string(contentType) + "\r\n";
  out += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  out += "X-Content-Type-Options: nosniff\r\n";
  if (status == 405) out += "Allow: GET, POST\r\n";
  out.append(extraHeaders);
  out += "Connection: close\r\n\r\n";
  out.append(body);
  return out;
}

std::string HttpSite::Respond(std::string_view head, std::string_view peer) const {
  const auto request = ParseHttpRequest(head);
  if (!request) return ErrorPage(400);
  // The client's launcher page posts its form (uid, rkey) to the room list:
  // a POST is answered like a GET, its body unread.
  if (request->method != "GET" && request->method != "POST") return ErrorPage(405);
  if (request->path == "/rooms.json") {
    const std::string page = RoomsJson(view_, QueryNumber(request->query, "offset", 0),
                                       QueryNumber(request->query, "limit", kRoomsPageDefault));
    return Response(200, "application/json; charset=utf-8", page, "Cache-Control: no-store\r\n");
  }
  if (request->path == "/metrics" && metrics_) {
    return Response(200, "text/plain; version=0.0.4; charset=utf-8", metrics_());
  }
  if (request->path == "/signin") return signIn_ ? SignInPage(*request, peer) : ErrorPage(404);
  if (auto blog = BlogPage(request->path)) return Response(200, "text/html; charset=euc-kr", *blog);
  if (auto avatar = AvatarPicture(request->path)) return StaticFile(*avatar);
  if (auto location = TlsControlPageLocation(*request, chatTlsPort_)) {
    return Response(303, "text/plain; charset=utf-8", "the control page connects over TLS\n",
                    "Location: " + *location + "\r\nCache-Control: no-store\r\n");
  }
  return StaticFile(Unaliased(request->path));
}

std::string HttpSite::SignInPage(const HttpRequest& request, std::string_view peer) const {
  const SignIn signIn = PortalSignIn(request, peer, keys_, keyLifetime_, chatTlsPort_);
  if (signIn.status != 303) return ErrorPage(signIn.status);
  return Response(303, "text/plain; charset=utf-8", "signed in\n",
                  "Location: " + signIn.location + "\r\nSet-Cookie: " + signIn.cookie +
                      "\r\nCache-Control: no-store\r\n");
}

std::optional<std::string> HttpSite::AvatarPicture(std::string_view path) {
  // Members' pictures live at /avatar/<a>/<b>/<n>.gif (and s_<n>.gif, small);
  // the development portal draws eight and hands them out by number.
  constexpr std::string_view kPrefix = "/avatar/";
  if (!path.starts_with(kPrefix) || !path.ends_with(".gif")) return std::nullopt;
  std::string_view name = path.substr(path.rfind('/') + 1);
  name.remove_suffix(4);
  const bool small = name.starts_with("s_");
  if (small) name.remove_prefix(2);
  if (name.empty() || name.size() > 9 || name.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  const unsigned long number = std::strtoul(std::string(name).c_str(), nullptr, 10);
  return std::string(kPrefix) + (small ? "small_" : "face_") + std::to_string(number % 8) + ".gif";
}

std::string HttpSite::StaticFile(std::string_view path) const {
  const auto relative = PortalRelativePath(path);
  if (!relative || portalRoot_.empty()) return ErrorPage(404);
  // The file must really lie inside the portal directory, links resolved.
  // Pages may be named without their ".html" ("/ChatWelcome").
  std::string file = Resolved(portalRoot_ + "/" + *relative);
  const std::string_view name = std::string_view(*relative).substr(relative->rfind('/') + 1);
  if (file.empty() && name.find('.') == std::string_view::npos) file = Resolved(portalRoot_ + "/" + *relative + ".html");
  struct stat info{};
  if (file.empty() || !file.starts_with(portalRoot_ + "/") || stat(file.c_str(), &info) != 0 ||
      !S_ISREG(info.st_mode)) {
    return ErrorPage(404);
  }
  if (static_cast<std::size_t>(info.st_size) > kMaxFileBytes) return ErrorPage(500);
  std::ifstream in(file, std::ios::binary);
  if (!in) return ErrorPage(404);
  const std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return Response(200, ContentTypeOf(file), body);
}

}  // namespace orvinta::server
