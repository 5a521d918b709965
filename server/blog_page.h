#pragma once
// The development portal's personal blog pages, /blog/<id>: one small page
// per member id, so that the client's "view blog" opens something real.
#include <optional>
#include <string>
#include <string_view>

namespace orvinta::server {

// The page for a percent-decoded request path, or nullopt when the path is
// not a blog address or the id is not one a member could have. The page is
// code page 949 text, as the server's other texts.
std::optional<std::string> BlogPage(std::string_view path);

}  // namespace orvinta::server
