#include "server/blog_page.h"

namespace orvinta::server {
namespace {

constexpr std::string_view kPrefix = "/blog/";
constexpr std::size_t kMaxIdBytes = 64;

bool IsIdByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == '.';
}

}  // namespace

std::optional<std::string> BlogPage(std::string_view path) {
  if (!path.starts_with(kPrefix)) return std::nullopt;
  std::string_view id = path.substr(kPrefix.size());
  if (id.ends_with('/')) id.remove_suffix(1);
  if (id.empty() || id.size() > kMaxIdBytes) return std::nullopt;
  for (const char c : id) {
    if (!IsIdByte(c)) return std::nullopt;  // only id bytes, so the page needs no escaping
  }
  const std::string name(id);
  return "<!DOCTYPE html>\n<html lang=\"ko\"><head><meta charset=\"euc-kr\"><title>" + name +
         "님의 블로그</title></head>\n<body style=\"font-family:sans-serif;margin:2em\">\n<h1>" + name +
         "님의 블로그</h1>\n<p>아직 올린 글이 없습니다.</p>\n</body></html>\n";
}

}  // namespace orvinta::server
